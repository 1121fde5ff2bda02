#include "savedlists/SavedListRules.h"
#include "savedlists/SourceListFile.h"

#include "platform/FsError.h"
#include "support/TestDir.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSourceListFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void writeThenReadBack();
    void reading_data();
    void reading();
    void namesAndSummaries();
};

// A new list replaces a longer older one completely, in UTF-8 with CR LF, a line break inside an
// entry written as "?"; an unfinished log leaves no file.
void TestSourceListFile::writeThenReadBack()
{
    TestDir dir;
    const QString file = dir(u"list.odr"_s);
    const QStringList odd{u"/home/åsa/Ödets mål; \"q\" %20 tab\there 🎵 "_s, u"/"_s,
                          u"/home/u/Ending"_s};
    sourcelistfile::write(file, {u"/a"_s, u"/b"_s, u"/c"_s, u"/d"_s}, u"4"_s, u"4 MB"_s);
    sourcelistfile::write(file, odd + QStringList{u"/two\nlines\r"_s}, u"57"_s, u"1.23 GB"_s);
    QCOMPARE(sourcelistfile::readEntries(file), odd + QStringList{u"/two?lines?"_s});
    QCOMPARE(contentOf(file),
             (odd + QStringList{u"/two?lines?"_s, sourcelistfile::EndLine,
                                u"Number of mp3 files: 57"_s, u"TotalSize:1.23 GB"_s, QString()})
                 .join(u"\r\n"_s)
                 .toUtf8());
    {
        sourcelistfile::Writer log(dir(u"log.odr"_s));
        log.open();
        log.addEntry(u"/home/u/A"_s);
    }
    QCOMPARE(entriesOf(dir.path()), u"list.odr"_s);
}

void TestSourceListFile::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines"); // "!" and the reason when the file is refused
    QTest::addColumn<int>("entries");       // how many of the lines are entries

    QTest::newRow("mixed line ends, last without")
        << QByteArray("\xEF\xBB\xBF/a\r\n/b\r/c\n\r/d")
        << QStringList{u"/a"_s, u"/b"_s, u"/c"_s, u""_s, u"/d"_s} << 5;
    QTest::newRow("end in any case stops, en does not")
        << QByteArray("en\r\n/b\r\neNd ---\r\n/c")
        << QStringList{u"en"_s, u"/b"_s, u"eNd ---"_s, u"/c"_s} << 2;
    QTest::newRow("one line each way") << QByteArray("/u/Bj\xc3\xb6rk\r\nD:\\Bj\xf6rk \x80\r\n")
                                       << QStringList{u"/u/Björk"_s, u"D:\\Björk €"_s} << 2;
    // The largest accepted: 16 MiB, 511 lines of exactly 32 KiB, then a last shorter line.
    QByteArray largest;
    for (int i = 0; i < 511; ++i)
        largest += QByteArray(32 * 1024, 'x') + "\r\n";
    const qsizetype last = 16 * 1024 * 1024 - largest.size();
    QTest::newRow("16 MiB, lines of 32 KiB")
        << largest + QByteArray(last, 'y')
        << QStringList(511, QString(32 * 1024, u'x')) + QStringList{QString(last, u'y')} << 512;
    QTest::newRow("larger than 16 MiB")
        << largest + QByteArray(last + 1, 'y')
        << QStringList{u"!"_s, u"Not a list of folders: the file is larger than 16 MiB."_s} << 0;
    QTest::newRow("line longer than 32 KiB")
        << QByteArray("/a\r\n") + QByteArray(32 * 1024 + 1, 'x')
        << QStringList{u"!"_s, u"Not a list of folders: a line is longer than 32 KiB."_s} << 0;
    QTest::newRow("NUL byte")
        << QByteArray("/a\r\n/b\0c\r\n", 10)
        << QStringList{u"!"_s, u"Not a list of folders: the file holds binary data."_s} << 0;
}

void TestSourceListFile::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QFETCH(int, entries);

    TestDir dir;
    const QString file = dir.file(u"list.odr"_s, bytes);
    if (lines.value(0) != u"!"_s) {
        QCOMPARE(sourcelistfile::readLines(file), lines);
        QCOMPARE(sourcelistfile::readEntries(file), lines.first(entries));
        return;
    }
    try {
        sourcelistfile::readEntries(file);
        QFAIL("the file was read");
    } catch (const FsError& e) {
        QCOMPARE(e.path(), file);
        QCOMPARE(e.reason(), lines[1]);
    }
}

// The first free name of the day, a folder taking its name; names typed for a rename; the
// composed summaries of a recall.
void TestSourceListFile::namesAndSummaries()
{
    TestDir dir;
    const QDate day(2024, 12, 5);
    const QString date = sourcelistfile::dateText(day);
    QVERIFY2(!date.isEmpty() && !date.contains(u'/'), qPrintable(date));
    dir.create({date + u"_2.odr"_s});
    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), dir(date + u"_1.odr"_s));
    dir.create({date + u"_1.odr/"_s});
    QCOMPARE(sourcelistfile::defaultName(dir.path(), day), dir(date + u"_3.odr"_s));

    QCOMPARE(savedlists::withExtension(u"Party.txt"_s), u"Party.txt.odr"_s);
    QCOMPARE(savedlists::withExtension(u"Party.ODR"_s), u"Party.ODR"_s);
    for (const QString& name : {u"   .odr"_s, u"..odr"_s, u"...odr"_s, u".odr"_s, u"a/b.odr"_s})
        QVERIFY2(!savedlists::isValidFileName(name), qPrintable(name));

    auto summary = [](int recalled, int empty, int notFound) -> QString {
        const savedlists::Message m = savedlists::recallSummary(recalled, empty, notFound, true);
        return m.title + u'|' + m.text;
    };
    QCOMPARE(summary(2, 1, 0), u"Ej återskapad|1 tom folder ej återskapad."_s);
    QCOMPARE(summary(1, 3, 0), u"Ej återskapade foldrar|3 tomma foldrar ej återskapade."_s);
    QCOMPARE(summary(1, 0, 2), u"Ej återskapade foldrar|2 foldrar ej hittade."_s);
    QCOMPARE(summary(0, 1, 1), u"Ej återskapade foldrar|1 tom folder ej återskapad.\n"
                               u"1 folder ej hittad.\nInga foldrar återskapade."_s);
}

QTEST_GUILESS_MAIN(TestSourceListFile)
#include "tst_sourcelistfile.moc"
