#include "savedlists/SourceListFile.h"

#include "platform/FsError.h"
#include "support/TestDir.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSourceListFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writeThenReadBack_data();
    void writeThenReadBack();
    void writtenBytes();
    void reading_data();
    void reading();
    void refused_data();
    void refused();
    void largestAccepted();
    void defaultName_data();
    void defaultName();
    void unfinishedOrUncreatableLeavesNoFile();
    void randomBytes();
};

void TestSourceListFile::writeThenReadBack_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("readBack");

    const QStringList odd{u"/media/usb/Musik/Björk - Homogenic"_s,
                          u"/home/åsa/Ödets mål"_s,
                          u"/media/usb/"_s,
                          u"/"_s,
                          u"/home/u/Odd  name; \"quoted\" 'single' %20 tab\there"_s,
                          u"/home/u/Ending"_s,
                          u"/home/u/Ünïcødé €™ 🎵"_s,
                          u"/home/u/ends with blank "_s};
    QTest::newRow("odd names") << odd << odd;
    QTest::newRow("line breaks inside an entry")
        << QStringList{u"/home/u/two\nlines\r"_s, u"/home/u/B"_s}
        << QStringList{u"/home/u/two?lines?"_s, u"/home/u/B"_s};
    QTest::newRow("no entries") << QStringList{} << QStringList{};
}

void TestSourceListFile::writeThenReadBack()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, readBack);

    TestDir dir;
    const QString file = dir(u"list.odr"_s);
    // A new list replaces a longer older one completely.
    sourcelistfile::write(file, {u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s}, u"4"_s, u"4 MB"_s);
    sourcelistfile::write(file, entries, u"57"_s, u"1.23 GB"_s);

    QCOMPARE(sourcelistfile::readEntries(file), readBack);
    const QStringList trailer{u"end ----------------------------------"_s,
                              u"Number of mp3 files: 57"_s, u"TotalSize:1.23 GB"_s};
    QCOMPARE(sourcelistfile::readLines(file), readBack + trailer);
}

void TestSourceListFile::writtenBytes()
{
    TestDir dir;
    const QString file = dir(u"list.odr"_s);
    sourcelistfile::write(file, {u"/home/u/Björk"_s, u"/media/usb/"_s}, u"12"_s, u"48.5 MB"_s);

    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("/home/u/Bj\xc3\xb6rk\r\n/media/usb/\r\n"
                                           "end ----------------------------------\r\n"
                                           "Number of mp3 files: 12\r\nTotalSize:48.5 MB\r\n"));
}

void TestSourceListFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("entries"); // how many of the lines are entries

    const QStringList ab{u"/a"_s, u"/b"_s};
    QTest::newRow("CR LF") << QByteArray("/a\r\n/b\r\n") << ab << 2;
    QTest::newRow("LF only") << QByteArray("/a\n/b\n") << ab << 2;
    QTest::newRow("CR only") << QByteArray("/a\r/b\r") << ab << 2;
    QTest::newRow("mixed, last line without line end")
        << QByteArray("/a\r\n/b\r/c\n/d") << QStringList{u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s} << 4;
    QTest::newRow("LF CR is two line ends")
        << QByteArray("/a\n\r/b") << QStringList{u"/a"_s, u""_s, u"/b"_s} << 3;
    QTest::newRow("blank lines are lines")
        << QByteArray("\r\n/a\r\n\r\n") << QStringList{u""_s, u"/a"_s, u""_s} << 3;
    QTest::newRow("empty file") << QByteArray() << QStringList{} << 0;
    QTest::newRow("byte-order mark skipped")
        << QByteArray("\xEF\xBB\xBF/a\r\n") << QStringList{u"/a"_s} << 1;

    QTest::newRow("end line") << QByteArray("/a\r\n/b\r\nend ---\r\nNumber of mp3 files: 3\r\n")
                              << (ab + QStringList{u"end ---"_s, u"Number of mp3 files: 3"_s}) << 2;
    QTest::newRow("Ending stops too")
        << QByteArray("/a\nEnding\n/b\n") << QStringList{u"/a"_s, u"Ending"_s, u"/b"_s} << 1;
    QTest::newRow("eNd alone, no line end")
        << QByteArray("/a\r/b\reNd") << QStringList{u"/a"_s, u"/b"_s, u"eNd"_s} << 2;
    QTest::newRow("first line is the end")
        << QByteArray("end\r\n/a\r\n") << QStringList{u"end"_s, u"/a"_s} << 0;
    QTest::newRow("en is too short")
        << QByteArray("/a\r\nen\r\n/b\r\n") << QStringList{u"/a"_s, u"en"_s, u"/b"_s} << 3;
    QTest::newRow("blank before end")
        << QByteArray(" end\r\n/b\r\n") << QStringList{u" end"_s, u"/b"_s} << 2;

    QTest::newRow("Windows-1252 Björk")
        << QByteArray("D:\\Musik\\Bj\xf6rk\r\n") << QStringList{u"D:\\Musik\\Björk"_s} << 1;
    QTest::newRow("Windows-1252 0x80 to 0x9F")
        << QByteArray("\x80 \x93x\x94 \x8a\x9f \x81") << QStringList{u"€ “x” ŠŸ \u0081"_s} << 1;
    QTest::newRow("one line each way") << QByteArray("/home/u/Bj\xc3\xb6rk\r\n/home/u/Bj\xf6rk\r\n")
                                       << QStringList{u"/home/u/Björk"_s, u"/home/u/Björk"_s} << 2;
    QTest::newRow("UTF-8 letters with a stray byte")
        << QByteArray("Bj\xc3\xb6rk \xe9") << QStringList{u"BjÃ¶rk é"_s} << 1;
    QTest::newRow("cut UTF-8 sequence") << QByteArray("caf\xc3") << QStringList{u"cafÃ"_s} << 1;
}

void TestSourceListFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(int, entries);

    TestDir dir;
    const QString file = dir.file(u"list.odr"_s, bytes);
    QCOMPARE(sourcelistfile::readLines(file), lines);
    QCOMPARE(sourcelistfile::readEntries(file), lines.first(entries));
}

void TestSourceListFile::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("size");    // above 0: the file is made this large with zero bytes
    QTest::addColumn<QString>("reason"); // empty: the file does not exist

    const QString tooLong = u"Not a list of folders: a line is longer than 32 KiB."_s;
    QTest::newRow("line longer than 32 KiB")
        << (QByteArray("/a\r\n") + QByteArray(32 * 1024 + 1, 'x') + "\r\n") << 0LL << tooLong;
    QTest::newRow("long last line without line end")
        << QByteArray(32 * 1024 + 1, 'x') << 0LL << tooLong;
    QTest::newRow("NUL byte") << QByteArray("/a\r\n/b\0c\r\n", 10) << 0LL
                              << u"Not a list of folders: the file holds binary data."_s;
    QTest::newRow("larger than 16 MiB")
        << QByteArray("/a\r\n") << qint64(16 * 1024 * 1024 + 1)
        << u"Not a list of folders: the file is larger than 16 MiB."_s;
    QTest::newRow("missing") << QByteArray() << 0LL << QString();
}

void TestSourceListFile::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, size);
    QFETCH(QString, reason);

    TestDir dir;
    const QString file = reason.isEmpty() ? dir(u"gone.odr"_s) : dir.file(u"list.odr"_s, bytes);
    if (size > 0)
        QVERIFY(QFile::resize(file, size));

    QVERIFY_THROWS_EXCEPTION(FsError, sourcelistfile::readEntries(file));
    try {
        sourcelistfile::readLines(file);
        QFAIL("the file was read");
    } catch (const FsError& e) {
        QCOMPARE(e.path(), file);
        QCOMPARE(e.kind(), reason.isEmpty() ? FsErrorKind::PathNotFound : FsErrorKind::Other);
        if (!reason.isEmpty())
            QCOMPARE(e.reason(), reason);
    }
}

void TestSourceListFile::largestAccepted()
{
    // 16 MiB exactly: 511 lines of exactly 32 KiB, then a last line shorter than that.
    QByteArray bytes;
    for (int i = 0; i < 511; ++i)
        bytes += QByteArray(32 * 1024, 'x') + "\r\n";
    bytes += QByteArray(16 * 1024 * 1024 - bytes.size(), 'y');

    TestDir dir;
    const QStringList lines = sourcelistfile::readLines(dir.file(u"big.odr"_s, bytes));
    QCOMPARE(lines.size(), 512);
    QCOMPARE(lines.first().size(), 32 * 1024);
}

void TestSourceListFile::defaultName_data()
{
    QTest::addColumn<QStringList>("existing"); // after the date; "/" marks a folder
    QTest::addColumn<QString>("expected");

    QTest::newRow("none") << QStringList{} << u"_1.odr"_s;
    QTest::newRow("1") << QStringList{u"_1.odr"_s} << u"_2.odr"_s;
    QTest::newRow("1 and 2") << QStringList{u"_1.odr"_s, u"_2.odr"_s} << u"_3.odr"_s;
    QTest::newRow("a gap") << QStringList{u"_1.odr"_s, u"_3.odr"_s} << u"_2.odr"_s;
    QTest::newRow("a folder takes its name")
        << QStringList{u"_1.odr"_s, u"_2.odr/"_s, u"_3.odr"_s} << u"_4.odr"_s;
}

void TestSourceListFile::defaultName()
{
    QFETCH(QStringList, existing);
    QFETCH(QString, expected);

    TestDir dir;
    const QDate day(2024, 12, 5);
    const QString date = sourcelistfile::dateText(day);
    QVERIFY2(!date.isEmpty() && !date.contains(u'/'), qPrintable(date));
    for (const QString& name : existing)
        dir.create({date + name});
    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), dir(date + expected));
}

void TestSourceListFile::unfinishedOrUncreatableLeavesNoFile()
{
    TestDir dir;
    {
        sourcelistfile::Writer writer(dir(u"log.odr"_s));
        writer.open();
        writer.addEntry(u"/home/u/A"_s);
    }
    const QString inMissingFolder = dir(u"missing/log.odr"_s);
    sourcelistfile::Writer writer(inMissingFolder);
    try {
        writer.open();
        QFAIL("a log was opened in a missing folder");
    } catch (const FsError& e) {
        QCOMPARE(e.path(), inMissingFolder);
        QVERIFY(!e.reason().isEmpty());
    }
    QVERIFY_THROWS_EXCEPTION(FsError,
                             sourcelistfile::write(inMissingFolder, {}, u"0"_s, QString()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{});
}

void TestSourceListFile::randomBytes()
{
    // Bytes a list is made of, line ends and the letters of "end" more often than the rest.
    static const QByteArray common("\r\n\r\nendEND/ \xc3\xb6\xf6\x80");
    QRandomGenerator random(20241205);
    TestDir dir;

    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(random.bounded(600)), Qt::Uninitialized);
        for (char& byte : bytes)
            byte = random.bounded(3) == 0 ? common[random.bounded(int(common.size()))]
                                          : char(random.bounded(1, 256));
        if (random.bounded(20) == 0 && !bytes.isEmpty())
            bytes[random.bounded(int(bytes.size()))] = '\0';
        const QString file = dir.file(QString::number(round) + u".odr"_s, bytes);

        const qsizetype lineEnds = bytes.count('\r') + bytes.count('\n');
        try {
            const QStringList entries = sourcelistfile::readEntries(file);
            const QStringList lines = sourcelistfile::readLines(file);
            QVERIFY2(entries.size() <= lines.size() && lines.size() <= lineEnds + 1,
                     qPrintable(QString::number(round)));
        } catch (const FsError& e) {
            QVERIFY2(bytes.contains('\0'), qPrintable(e.reason()));
        }
    }
}

QTEST_GUILESS_MAIN(TestSourceListFile)
#include "tst_sourcelistfile.moc"
