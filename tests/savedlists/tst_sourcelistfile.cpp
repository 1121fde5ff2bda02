#include "savedlists/SavedListRules.h"
#include "savedlists/SourceListFile.h"

#include "platform/FsError.h"
#include "support/TestDir.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSourceListFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writeThenReadBack_data();
    void writeThenReadBack();
    void reading_data();
    void reading();
    void refused_data();
    void refused();
    void defaultName_data();
    void defaultName();
    void unfinishedLogLeavesNoFile();
    void newNames_data();
    void newNames();
    void recallSummary_data();
    void recallSummary();
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
    // UTF-8, each line ended by CR LF.
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), (readBack + QStringList{u"end ----------------------------------"_s,
                                                        u"Number of mp3 files: 57"_s,
                                                        u"TotalSize:1.23 GB"_s, QString()})
                                    .join(u"\r\n"_s)
                                    .toUtf8());
}

void TestSourceListFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("entries"); // how many of the lines are entries

    const QStringList ab{u"/a"_s, u"/b"_s};
    QTest::newRow("CR LF") << QByteArray("/a\r\n/b\r\n") << ab << 2;
    QTest::newRow("CR only") << QByteArray("/a\r/b\r") << ab << 2;
    QTest::newRow("mixed, last line without line end")
        << QByteArray("/a\r\n/b\r/c\n/d") << QStringList{u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s} << 4;
    QTest::newRow("LF CR is two line ends")
        << QByteArray("/a\n\r/b") << QStringList{u"/a"_s, u""_s, u"/b"_s} << 3;
    QTest::newRow("empty file") << QByteArray() << QStringList{} << 0;
    QTest::newRow("byte-order mark skipped")
        << QByteArray("\xEF\xBB\xBF/a\r\n") << QStringList{u"/a"_s} << 1;

    QTest::newRow("end line") << QByteArray("/a\r\n/b\r\nend ---\r\nNumber of mp3 files: 3\r\n")
                              << (ab + QStringList{u"end ---"_s, u"Number of mp3 files: 3"_s}) << 2;
    QTest::newRow("Ending stops too")
        << QByteArray("/a\nEnding\n/b\n") << QStringList{u"/a"_s, u"Ending"_s, u"/b"_s} << 1;
    QTest::newRow("eNd alone, no line end")
        << QByteArray("/a\r/b\reNd") << QStringList{u"/a"_s, u"/b"_s, u"eNd"_s} << 2;
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

    // The largest accepted: 16 MiB, 511 lines of exactly 32 KiB, then a last shorter line.
    QByteArray largest;
    for (int i = 0; i < 511; ++i)
        largest += QByteArray(32 * 1024, 'x') + "\r\n";
    const qsizetype last = 16 * 1024 * 1024 - largest.size();
    QTest::newRow("16 MiB, lines of 32 KiB")
        << largest + QByteArray(last, 'y')
        << QStringList(511, QString(32 * 1024, u'x')) + QStringList{QString(last, u'y')} << 512;
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
    QTest::addColumn<qint64>("size"); // above 0: the file is made this large with zero bytes
    QTest::addColumn<QString>("reason");

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

    QVERIFY_THROWS_EXCEPTION(FsError, sourcelistfile::readEntries(file));
    try {
        sourcelistfile::readLines(file);
        QFAIL("the file was read");
    } catch (const FsError& e) {
        QCOMPARE(e.path(), file);
        QCOMPARE(e.kind(), FsErrorKind::Other);
        QCOMPARE(e.reason(), reason);
    }
}

void TestSourceListFile::defaultName_data()
{
    QTest::addColumn<QStringList>("existing"); // after the date; "/" marks a folder
    QTest::addColumn<QString>("expected");

    QTest::newRow("none") << QStringList{} << u"_1.odr"_s;
    QTest::newRow("1") << QStringList{u"_1.odr"_s} << u"_2.odr"_s;
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

void TestSourceListFile::unfinishedLogLeavesNoFile()
{
    TestDir dir;
    {
        sourcelistfile::Writer writer(dir(u"log.odr"_s));
        writer.open();
        writer.addEntry(u"/home/u/A"_s);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{});
}

void TestSourceListFile::newNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");

    // Plain names, capitals, a slash and ".." are renamed through the saved-list loop.

    QTest::newRow("other extension") << u"Party.txt"_s << u"Party.txt.odr"_s << true;
    QTest::newRow("blanks only") << u"   "_s << u"   .odr"_s << false;
    QTest::newRow("dot") << u"."_s << u"..odr"_s << false;
    QTest::newRow("extension only") << u".odr"_s << u".odr"_s << false;
}

void TestSourceListFile::newNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(savedlists::withExtension(typed), name);
    QCOMPARE(savedlists::isValidFileName(name), valid);
}

void TestSourceListFile::recallSummary_data()
{
    QTest::addColumn<int>("recalled");
    QTest::addColumn<int>("empty");
    QTest::addColumn<int>("notFound");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    // Mixed and all-missing summaries are checked word for word where a recall shows them.
    QTest::newRow("one empty") << 2 << 1 << 0 << false << u"Not recalled Folder"_s
                               << u"1 empty folder not recalled."_s;
    QTest::newRow("one empty, Swedish")
        << 2 << 1 << 0 << true << u"Ej återskapad"_s << u"1 tom folder ej återskapad."_s;
    QTest::newRow("three empty") << 1 << 3 << 0 << false << u"Not recalled Folders"_s
                                 << u"3 empty folders not recalled."_s;
    QTest::newRow("three empty, Swedish") << 1 << 3 << 0 << true << u"Ej återskapade foldrar"_s
                                          << u"3 tomma foldrar ej återskapade."_s;
    QTest::newRow("one missing, Swedish")
        << 4 << 0 << 1 << true << u"Ej återskapad"_s << u"1 folder ej hittad."_s;
    QTest::newRow("two missing, Swedish")
        << 1 << 0 << 2 << true << u"Ej återskapade foldrar"_s << u"2 foldrar ej hittade."_s;
    QTest::newRow("one empty and one missing, nothing recalled, Swedish")
        << 0 << 1 << 1 << true << u"Ej återskapade foldrar"_s
        << u"1 tom folder ej återskapad.\n1 folder ej hittad.\nInga foldrar återskapade."_s;
}

void TestSourceListFile::recallSummary()
{
    QFETCH(int, recalled);
    QFETCH(int, empty);
    QFETCH(int, notFound);
    QFETCH(bool, swedish);
    QFETCH(QString, title);
    QFETCH(QString, text);

    const savedlists::Message summary =
        savedlists::recallSummary(recalled, empty, notFound, swedish);
    QCOMPARE(summary.title, title);
    QCOMPARE(summary.text, text);
}

QTEST_GUILESS_MAIN(TestSourceListFile)
#include "tst_sourcelistfile.moc"
