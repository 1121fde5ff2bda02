#include "SourceListFile.h"

#include "platform/Fd.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QByteArrayView>
#include <QFile>
#include <QLocale>
#include <QSaveFile>

#include <array>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace sourcelistfile {

namespace {

constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
constexpr qsizetype MaxLineLength = 32 * 1024;

// Windows-1252 from 0x80 to 0x9F; the five bytes it leaves undefined keep their C1 code point.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Why a file is not a list, in English and Swedish.
struct Why {
    QString english;
    QString swedish;
};

FsError notAList(const QString& file, const Why& why)
{
    return FsError(FsErrorKind::Other, file, u"Not a list of folders: "_s + why.english,
                   u"Inte en lista med foldrar: "_s + why.swedish);
}

QByteArray readFile(const QString& file)
{
    const QByteArray name = paths::toNative(file);
    const Fd guard(::open(name.constData(), O_RDONLY | O_CLOEXEC));
    const int fd = guard.get();
    if (fd < 0)
        throw FsError::fromErrno(errno, file);

    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw FsError::fromErrno(errno, file);
    const Why tooLarge{u"the file is larger than 16 MiB."_s, u"filen är större än 16 MiB."_s};
    if (info.st_size > MaxFileSize)
        throw notAList(file, tooLarge);

    QByteArray data;
    data.reserve(qsizetype(info.st_size));
    std::array<char, 64 * 1024> buffer{};
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw FsError::fromErrno(errno, file);
        }
        if (got == 0)
            break;
        if (data.size() + got > MaxFileSize)
            throw notAList(file, tooLarge);
        data.append(buffer.data(), qsizetype(got));
    }
    return data;
}

QString fromCp1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] =
            byte >= 0x80 && byte < 0xA0 ? QChar(Cp1252High[byte - 0x80]) : QChar(char16_t(byte));
    }
    return text;
}

// A folder whose name is not UTF-8 is written as a file URL, its bytes percent-encoded; paths
// start with "/" and lists of older programs with a drive letter, so no other line starts so.
constexpr QByteArrayView ByteNamePrefix = "file://";

QString decodeLine(QByteArrayView bytes)
{
    if (bytes.startsWith(ByteNamePrefix))
        return paths::fromNative(
            QByteArray::fromPercentEncoding(bytes.sliced(ByteNamePrefix.size()).toByteArray()));
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    return fromCp1252(bytes);
}

// The raw lines of a file: CR LF, CR and LF end a line; text after the last line end is a line
// too, an empty tail is not.
QList<QByteArrayView> splitLines(QByteArrayView data, const QString& file)
{
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    auto take = [&](qsizetype end) {
        if (end - start > MaxLineLength)
            throw notAList(file,
                           {u"a line is longer than 32 KiB."_s, u"en rad är längre än 32 KiB."_s});
        lines.append(data.sliced(start, end - start));
    };
    while (i < data.size()) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            take(i);
            ++i;
            if (c == '\r' && i < data.size() && data[i] == '\n')
                ++i;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < data.size())
        take(data.size());
    return lines;
}

QStringList read(const QString& file, bool stopAtEndLine)
{
    const QByteArray data = readFile(file);
    if (data.contains('\0'))
        throw notAList(file,
                       {u"the file holds binary data."_s, u"filen innehåller binära data."_s});
    QByteArrayView view(data);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);

    QStringList result;
    for (const QByteArrayView bytes : splitLines(view, file)) {
        QString line = decodeLine(bytes);
        if (stopAtEndLine && line.left(3).compare(u"end"_s, Qt::CaseInsensitive) == 0)
            break;
        result.append(std::move(line));
    }
    return result;
}

} // namespace

QStringList readEntries(const QString& file)
{
    return read(file, true);
}

QStringList readLines(const QString& file)
{
    return read(file, false);
}

QString dateText(const QDate& day)
{
    return QLocale::system().toString(day, QLocale::ShortFormat).replace(u'/', u'-');
}

QString defaultName(const QString& folder, const QDate& day)
{
    const QString date = dateText(day);
    for (int n = 1;; ++n) {
        const QString name = paths::join(folder, date + u'_' + QString::number(n) + u".odr"_s);
        struct stat st {};
        if (::lstat(paths::toNative(name).constData(), &st) != 0)
            return name;
    }
}

Writer::Writer(const QString& file, Creation creation)
    : m_creation(creation)
{
    if (creation == Creation::Exclusive)
        m_file = std::make_unique<QFile>(file);
    else
        m_file = std::make_unique<QSaveFile>(file);
}

void Writer::open()
{
    const QIODevice::OpenMode mode = m_creation == Creation::Exclusive
                                         ? QIODevice::WriteOnly | QIODevice::NewOnly
                                         : QIODevice::WriteOnly;
    if (!m_file->open(mode))
        throw FsError(FsErrorKind::Other, m_file->fileName(), m_file->errorString());
}

void Writer::addEntry(const QString& folder)
{
    const QByteArray bytes = paths::toNative(folder);
    if (!bytes.isValidUtf8()) {
        m_text += ByteNamePrefix.toByteArray() + bytes.toPercentEncoding("/ ") + "\r\n";
        return;
    }
    QString line = folder;
    line.replace(u'\r', u'?').replace(u'\n', u'?');
    addLine(line);
}

void Writer::finish(const QString& countText, const QString& sizeText)
{
    addLine(EndLine);
    addLine(u"Number of mp3 files: "_s + countText);
    addLine(u"TotalSize:"_s + sizeText);
    bool written = m_file->write(m_text) == m_text.size();
    if (m_creation == Creation::Exclusive) {
        auto* file = static_cast<QFile*>(m_file.get());
        written = written && file->flush() && ::fsync(file->handle()) == 0;
        file->close();
        if (written)
            return;
        const QString reason = file->errorString();
        const bool full = file->error() == QFileDevice::ResourceError;
        file->remove();
        throw FsError(full ? FsErrorKind::DiskFull : FsErrorKind::Other, file->fileName(), reason);
    }
    auto* file = static_cast<QSaveFile*>(m_file.get());
    if (!written || !file->commit()) {
        const FsErrorKind kind = file->error() == QFileDevice::ResourceError ? FsErrorKind::DiskFull
                                                                             : FsErrorKind::Other;
        throw FsError(kind, file->fileName(), file->errorString());
    }
}

void Writer::addLine(const QString& line)
{
    m_text += QString(line + u"\r\n"_s).toUtf8();
}

void write(const QString& file, const QStringList& entries, const QString& countText,
           const QString& sizeText)
{
    Writer writer(file);
    writer.open();
    for (const QString& entry : entries)
        writer.addEntry(entry);
    writer.finish(countText, sizeText);
}

} // namespace sourcelistfile
