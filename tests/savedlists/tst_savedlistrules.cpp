#include "savedlists/SavedListRules.h"

#include "support/TestDir.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestSavedListRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void mp3Count_data();
    void mp3Count();
    void newNames_data();
    void newNames();
    void recallSummary_data();
    void recallSummary();
};

void TestSavedListRules::mp3Count_data()
{
    QTest::addColumn<QStringList>("tree"); // below the listed folder "Album"
    QTest::addColumn<qint64>("count");

    QStringList example;
    for (int i = 0; i < 3; ++i)
        example.append(u"Album/Own %1.mp3"_s.arg(i));
    for (int i = 0; i < 10; ++i)
        example.append(u"Album/CD1/%1.mp3"_s.arg(i));
    for (int i = 0; i < 12; ++i)
        example.append(u"Album/CD2/%1.mp3"_s.arg(i));
    example.append({u"Album/CD2/Bonus/1.mp3"_s, u"Album/CD2/Bonus/2.mp3"_s});
    QTest::newRow("own 3, subfolders 10 and 12, third level left out") << example << qint64(25);
    QTest::newRow("extension in any case, other files left out")
        << QStringList{u"Album/a.MP3"_s,         u"Album/b.Mp3"_s,     u"Album/cover.jpg"_s,
                       u"Album/notes.mp3.txt"_s, u"Album/Sub/c.mp3"_s, u"Album/Sub/d.wav"_s}
        << qint64(3);
    QTest::newRow("only in subfolders") << QStringList{u"Album/Sub/a.mp3"_s} << qint64(1);
    QTest::newRow("empty folder") << QStringList{u"Album/"_s} << qint64(0);
}

void TestSavedListRules::mp3Count()
{
    QFETCH(QStringList, tree);
    QFETCH(qint64, count);
    TestDir dir;
    dir.create(tree);
    QCOMPARE(savedlists::countMp3TwoLevels(dir(u"Album"_s)), count);
}

void TestSavedListRules::newNames_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");

    QTest::newRow("plain name") << u"Party"_s << u"Party.odr"_s << true;
    QTest::newRow("extension typed") << u"Party.odr"_s << u"Party.odr"_s << true;
    QTest::newRow("extension in capitals") << u"Party.ODR"_s << u"Party.ODR"_s << true;
    QTest::newRow("other extension") << u"Party.txt"_s << u"Party.txt.odr"_s << true;
    QTest::newRow("blanks around") << u" Party "_s << u" Party .odr"_s << true;
    QTest::newRow("slash") << u"Old/Party"_s << u"Old/Party.odr"_s << false;
    QTest::newRow("blanks only") << u"   "_s << u"   .odr"_s << false;
    QTest::newRow("dot") << u"."_s << u"..odr"_s << false;
    QTest::newRow("two dots") << u".."_s << u"...odr"_s << false;
    QTest::newRow("extension only") << u".odr"_s << u".odr"_s << false;
}

void TestSavedListRules::newNames()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(savedlists::withExtension(typed), name);
    QCOMPARE(savedlists::isValidFileName(name), valid);
}

void TestSavedListRules::recallSummary_data()
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

void TestSavedListRules::recallSummary()
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

QTEST_GUILESS_MAIN(TestSavedListRules)
#include "tst_savedlistrules.moc"
