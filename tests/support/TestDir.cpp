#include "TestDir.h"

#include "platform/Fd.h"
#include "platform/Paths.h"

#include <QDir>

#include <dirent.h>
#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

using namespace Qt::StringLiterals;

TestDir::TestDir()
    : m_dir(QDir::tempPath() + u"/ordrane-test-XXXXXX"_s)
{
}

// Removes the tree by its bytes: Qt's own removal cannot name entries that are not UTF-8.
TestDir::~TestDir()
{
    const auto remove = [](const char* path, const struct stat*, int, FTW*) {
        ::remove(path);
        return 0;
    };
    ::nftw(paths::toNative(path()).constData(), remove, 16, FTW_DEPTH | FTW_PHYS);
}

QString TestDir::operator()(const QString& relative) const
{
    return relative.isEmpty() ? path() : path() + u'/' + relative;
}

void TestDir::create(const QStringList& entries) const
{
    for (const QString& e : entries)
        e.endsWith(u'/') ? mkdir(e.chopped(1)) : file(e);
}

// Names go to the system by their bytes (paths::toNative), so byte names work too.
QString TestDir::mkdir(const QString& relative) const
{
    const QString full = (*this)(relative);
    const QByteArray native = paths::toNative(full);
    for (qsizetype slash = native.indexOf('/', 1); slash > 0;
         slash = native.indexOf('/', slash + 1))
        ::mkdir(native.left(slash).constData(), 0755);
    ::mkdir(native.constData(), 0755);
    return full;
}

QString TestDir::file(const QString& relative, const QByteArray& content) const
{
    const QString full = (*this)(relative);
    mkdir(relative.left(std::max<qsizetype>(0, relative.lastIndexOf(u'/'))));
    const Fd fd(::open(paths::toNative(full).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
    if (fd.get() >= 0 && ::write(fd.get(), content.constData(), size_t(content.size())) < 0)
        qWarning("cannot write %s", qPrintable(full));
    return full;
}

QByteArray contentOf(const QString& path)
{
    const Fd fd(::open(paths::toNative(path).constData(), O_RDONLY | O_CLOEXEC));
    QByteArray data;
    char buffer[65536];
    for (ssize_t got; fd.get() >= 0 && (got = ::read(fd.get(), buffer, sizeof buffer)) > 0;)
        data.append(buffer, got);
    return data;
}

QString entriesOf(const QString& folder)
{
    QStringList names;
    if (DIR* dir = ::opendir(paths::toNative(folder).constData())) {
        while (const dirent* e = ::readdir(dir)) {
            if (qstrcmp(e->d_name, ".") != 0 && qstrcmp(e->d_name, "..") != 0)
                names.append(paths::fromNative(e->d_name));
        }
        ::closedir(dir);
    }
    names.sort();
    return names.join(u' ');
}
