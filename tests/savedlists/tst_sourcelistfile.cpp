#include "savedlists/SourceListFile.h"

#include "platform/FsError.h"
#include "support/TestDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QByteArray contentOf(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// The failure reading the file raises, or nothing when it reads.
std::optional<FsError> readFailure(const QString& file)
{
    try {
        sourcelistfile::readLines(file);
    } catch (const FsError& e) {
        return e;
    }
    return std::nullopt;
}

} // namespace

class TestSourceListFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writeThenReadBack();
    void writtenBytes();
    void lineBreakInsideAnEntry();
    void aNewListReplacesTheOldFile();
    void listWithoutEntries();

    void lineEnds_data();
    void lineEnds();

    void entriesStopAtEnd_data();
    void entriesStopAtEnd();

    void windows1252Lines_data();
    void windows1252Lines();

    void refused_data();
    void refused();
    void largestAccepted();
    void missingFile();

    void defaultNameCountsFromOne();
    void defaultNameFillsAGap();
    void dateTextHasNoSlash();

    void writerWithoutFinishLeavesNoFile();
    void openInMissingFolderThrows();

    void randomBytes();
};

void TestSourceListFile::writeThenReadBack()
{
    TestDir dir;
    const QString file = dir(u"list.odr"_s);
    const QStringList entries{
        u"/media/usb/Musik/Björk - Homogenic"_s,
        u"/home/åsa/Ödets mål/Fläskkvartetten"_s,
        u"/media/usb/"_s,
        u"/"_s,
        u"/home/u/Odd  name; \"quoted\" 'single' %20 tab\there"_s,
        u"/home/u/Ending"_s,
        u"/home/u/Ünïcødé €™ 🎵"_s,
        u"/home/u/ends with blank "_s,
    };
    sourcelistfile::write(file, entries, u"57"_s, u"1.23 GB"_s);

    QCOMPARE(sourcelistfile::readEntries(file), entries);
    const QStringList trailer{u"end ----------------------------------"_s,
                              u"Number of mp3 files: 57"_s, u"TotalSize:1.23 GB"_s};
    QCOMPARE(sourcelistfile::readLines(file), entries + trailer);
}

void TestSourceListFile::writtenBytes()
{
    TestDir dir;
    const QString file = dir(u"list.odr"_s);
    sourcelistfile::write(file, {u"/home/u/Björk"_s, u"/media/usb/"_s}, u"12"_s, u"48.5 MB"_s);

    QCOMPARE(contentOf(file), QByteArray("/home/u/Bj\xc3\xb6rk\r\n"
                                         "/media/usb/\r\n"
                                         "end ----------------------------------\r\n"
                                         "Number of mp3 files: 12\r\n"
                                         "TotalSize:48.5 MB\r\n"));
}

void TestSourceListFile::lineBreakInsideAnEntry()
{
    TestDir dir;
    const QString file = dir(u"list.odr"_s);
    sourcelistfile::write(file, {u"/home/u/two\nlines\r"_s, u"/home/u/B"_s}, u"1"_s, u"1 MB"_s);

    QCOMPARE(sourcelistfile::readEntries(file),
             (QStringList{u"/home/u/two?lines?"_s, u"/home/u/B"_s}));
}

void TestSourceListFile::aNewListReplacesTheOldFile()
{
    TestDir dir;
    const QString file = dir(u"list.odr"_s);
    sourcelistfile::write(file, {u"/a"_s, u"/b"_s, u"/c"_s}, u"3"_s, u"3 MB"_s);
    sourcelistfile::write(file, {u"/d"_s}, u"1"_s, u"1 MB"_s);

    QCOMPARE(sourcelistfile::readEntries(file), QStringList{u"/d"_s});
}

void TestSourceListFile::listWithoutEntries()
{
    TestDir dir;
    const QString file = dir(u"log.odr"_s);
    sourcelistfile::write(file, {}, u"0"_s, QString());

    QCOMPARE(sourcelistfile::readEntries(file), QStringList{});
    QCOMPARE(sourcelistfile::readLines(file),
             (QStringList{u"end ----------------------------------"_s, u"Number of mp3 files: 0"_s,
                          u"TotalSize:"_s}));
}

void TestSourceListFile::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("CR LF") << QByteArray("/a\r\n/b\r\n") << QStringList{u"/a"_s, u"/b"_s};
    QTest::newRow("LF only") << QByteArray("/a\n/b\n") << QStringList{u"/a"_s, u"/b"_s};
    QTest::newRow("CR only") << QByteArray("/a\r/b\r") << QStringList{u"/a"_s, u"/b"_s};
    QTest::newRow("mixed") << QByteArray("/a\r\n/b\r/c\n/d")
                           << QStringList{u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s};
    QTest::newRow("last line without line end")
        << QByteArray("/a\r\n/b") << QStringList{u"/a"_s, u"/b"_s};
    QTest::newRow("LF CR is two line ends")
        << QByteArray("/a\n\r/b") << QStringList{u"/a"_s, u""_s, u"/b"_s};
    QTest::newRow("blank lines are lines")
        << QByteArray("\r\n/a\r\n\r\n") << QStringList{u""_s, u"/a"_s, u""_s};
    QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{u""_s};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("byte-order mark skipped")
        << QByteArray("\xEF\xBB\xBF/a\r\n") << QStringList{u"/a"_s};
}

void TestSourceListFile::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    TestDir dir;
    const QString file = dir.file(u"list.odr"_s, bytes);
    QCOMPARE(sourcelistfile::readLines(file), lines);
    QCOMPARE(sourcelistfile::readEntries(file), lines);
}

void TestSourceListFile::entriesStopAtEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("end line") << QByteArray("/a\r\n/b\r\nend ---\r\nNumber of mp3 files: 3\r\n")
                              << QStringList{u"/a"_s, u"/b"_s};
    QTest::newRow("END of list") << QByteArray("/a\r\nEND of list\r\n/b\r\n")
                                 << QStringList{u"/a"_s};
    QTest::newRow("Ending") << QByteArray("/a\nEnding\n/b\n") << QStringList{u"/a"_s};
    QTest::newRow("eNd alone, no line end")
        << QByteArray("/a\r/b\reNd") << QStringList{u"/a"_s, u"/b"_s};
    QTest::newRow("first line is the end") << QByteArray("end\r\n/a\r\n") << QStringList{};
    QTest::newRow("no end line") << QByteArray("/a\r\nTotalSize:1 GB\r\n")
                                 << QStringList{u"/a"_s, u"TotalSize:1 GB"_s};
    QTest::newRow("en is too short")
        << QByteArray("/a\r\nen\r\n/b\r\n") << QStringList{u"/a"_s, u"en"_s, u"/b"_s};
    QTest::newRow("blank before end")
        << QByteArray(" end\r\n/b\r\n") << QStringList{u" end"_s, u"/b"_s};
    QTest::newRow("end inside a path")
        << QByteArray("/home/end\r\n/b\r\n") << QStringList{u"/home/end"_s, u"/b"_s};
}

void TestSourceListFile::entriesStopAtEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);

    TestDir dir;
    const QString file = dir.file(u"list.odr"_s, bytes);
    QCOMPARE(sourcelistfile::readEntries(file), entries);
}

void TestSourceListFile::windows1252Lines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("Björk") << QByteArray("D:\\Musik\\Bj\xf6rk\r\n")
                           << QStringList{u"D:\\Musik\\Björk"_s};
    QTest::newRow("0x80 to 0x9F") << QByteArray("\x80 \x93x\x94 \x8a\x9f \x81")
                                  << QStringList{u"€ “x” ŠŸ \u0081"_s};
    QTest::newRow("one line each way") << QByteArray("/home/u/Bj\xc3\xb6rk\r\n/home/u/Bj\xf6rk\r\n")
                                       << QStringList{u"/home/u/Björk"_s, u"/home/u/Björk"_s};
    QTest::newRow("UTF-8 letters with a stray byte")
        << QByteArray("Bj\xc3\xb6rk \xe9") << QStringList{u"BjÃ¶rk é"_s};
    QTest::newRow("cut UTF-8 sequence") << QByteArray("caf\xc3") << QStringList{u"cafÃ"_s};
}

void TestSourceListFile::windows1252Lines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);

    TestDir dir;
    const QString file = dir.file(u"old.odr"_s, bytes);
    QCOMPARE(sourcelistfile::readLines(file), lines);
}

void TestSourceListFile::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size"); // the file is made this large with zero bytes when above 0
    QTest::addColumn<QString>("reason");

    QTest::newRow("line longer than 32 KiB")
        << (QByteArray("/a\r\n") + QByteArray(32 * 1024 + 1, 'x') + QByteArray("\r\n")) << 0LL
        << u"Not a list of folders: a line is longer than 32 KiB."_s;
    QTest::newRow("long last line without line end")
        << QByteArray(32 * 1024 + 1, 'x') << 0LL
        << u"Not a list of folders: a line is longer than 32 KiB."_s;
    QTest::newRow("NUL byte") << QByteArray("/a\r\n/b\0c\r\n", 10) << 0LL
                              << u"Not a list of folders: the file holds binary data."_s;
    QTest::newRow("larger than 16 MiB")
        << QByteArray("/a\r\n") << qint64(16 * 1024 * 1024 + 1)
        << u"Not a list of folders: the file is larger than 16 MiB."_s;
}

void TestSourceListFile::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(QString, reason);

    TestDir dir;
    const QString file = dir.file(u"list.odr"_s, bytes);
    if (size > 0)
        QVERIFY(QFile::resize(file, size));

    const std::optional<FsError> failure = readFailure(file);
    QVERIFY(failure);
    QCOMPARE(failure->kind(), FsErrorKind::Other);
    QCOMPARE(failure->path(), file);
    QCOMPARE(failure->reason(), reason);
    QVERIFY_THROWS_EXCEPTION(FsError, sourcelistfile::readEntries(file));
}

void TestSourceListFile::largestAccepted()
{
    // 16 MiB exactly, in lines of exactly 32 KiB.
    const QByteArray line = QByteArray(32 * 1024, 'x');
    QByteArray bytes;
    for (int i = 0; i < 511; ++i)
        bytes += line + "\r\n";
    bytes += QByteArray(16 * 1024 * 1024 - bytes.size(), 'y');
    QCOMPARE(bytes.size(), 16 * 1024 * 1024);
    QVERIFY(bytes.size() - 511 * (line.size() + 2) <= 32 * 1024);

    TestDir dir;
    const QString file = dir.file(u"big.odr"_s, bytes);
    const QStringList lines = sourcelistfile::readLines(file);
    QCOMPARE(lines.size(), 512);
    QCOMPARE(lines.first().size(), 32 * 1024);
}

void TestSourceListFile::missingFile()
{
    TestDir dir;
    const QString file = dir(u"gone.odr"_s);
    const std::optional<FsError> failure = readFailure(file);
    QVERIFY(failure);
    QCOMPARE(failure->kind(), FsErrorKind::PathNotFound);
    QCOMPARE(failure->path(), file);
}

void TestSourceListFile::defaultNameCountsFromOne()
{
    TestDir dir;
    const QDate day(2024, 12, 5);
    const QString stem = dir.path() + u'/' + sourcelistfile::dateText(day) + u'_';

    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), stem + u"1.odr"_s);
    sourcelistfile::write(stem + u"1.odr"_s, {}, u"0"_s, QString());
    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), stem + u"2.odr"_s);
    sourcelistfile::write(stem + u"2.odr"_s, {}, u"0"_s, QString());
    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), stem + u"3.odr"_s);
}

void TestSourceListFile::defaultNameFillsAGap()
{
    TestDir dir;
    const QDate day(2024, 12, 5);
    const QString stem = dir.path() + u'/' + sourcelistfile::dateText(day) + u'_';
    sourcelistfile::write(stem + u"1.odr"_s, {}, u"0"_s, QString());
    sourcelistfile::write(stem + u"3.odr"_s, {}, u"0"_s, QString());

    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), stem + u"2.odr"_s);
    QVERIFY(QDir().mkdir(stem + u"2.odr"_s));
    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), stem + u"4.odr"_s);
}

void TestSourceListFile::dateTextHasNoSlash()
{
    const QString text = sourcelistfile::dateText(QDate(2024, 12, 5));
    QVERIFY(!text.isEmpty());
    QVERIFY2(!text.contains(u'/'), qPrintable(text));
}

void TestSourceListFile::writerWithoutFinishLeavesNoFile()
{
    TestDir dir;
    const QString file = dir(u"log.odr"_s);
    {
        sourcelistfile::Writer writer(file);
        writer.open();
        writer.addEntry(u"/home/u/A"_s);
        writer.addEntry(u"/home/u/B"_s);
    }
    QVERIFY(!QFile::exists(file));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{});
}

void TestSourceListFile::openInMissingFolderThrows()
{
    TestDir dir;
    const QString file = dir(u"missing/log.odr"_s);
    sourcelistfile::Writer writer(file);
    try {
        writer.open();
        QFAIL("open() did not throw");
    } catch (const FsError& e) {
        QCOMPARE(e.path(), file);
        QVERIFY(!e.reason().isEmpty());
    }
    QVERIFY_THROWS_EXCEPTION(FsError, sourcelistfile::write(file, {}, u"0"_s, QString()));
    QVERIFY(!QFile::exists(file));
}

void TestSourceListFile::randomBytes()
{
    // Bytes a list is made of, line ends and the letters of "end" more often than the rest.
    static const QByteArray common("\r\n\r\nendEND/ \xc3\xb6\xf6\x80");
    QRandomGenerator random(20241205);
    TestDir dir;

    for (int round = 0; round < 2000; ++round) {
        const int size = int(random.bounded(600));
        QByteArray bytes(size, Qt::Uninitialized);
        for (char& byte : bytes) {
            if (random.bounded(3) == 0)
                byte = common[random.bounded(int(common.size()))];
            else
                byte = char(random.bounded(1, 256));
        }
        if (random.bounded(20) == 0 && size > 0)
            bytes[random.bounded(size)] = '\0';
        const QString file = dir.file(QString::number(round) + u".odr"_s, bytes);
        QCOMPARE(QFileInfo(file).size(), qint64(bytes.size()));

        const qsizetype lineEnds = bytes.count('\r') + bytes.count('\n');
        try {
            const QStringList entries = sourcelistfile::readEntries(file);
            QVERIFY2(entries.size() <= lineEnds + 1, qPrintable(QString::number(round)));
            const QStringList lines = sourcelistfile::readLines(file);
            QVERIFY(lines.size() >= entries.size());
            QVERIFY(lines.size() <= lineEnds + 1);
        } catch (const FsError& e) {
            QVERIFY2(bytes.contains('\0'), qPrintable(e.reason()));
        }
    }
}

QTEST_GUILESS_MAIN(TestSourceListFile)
#include "tst_sourcelistfile.moc"
