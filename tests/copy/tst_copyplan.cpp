#include "copy/CopyPlan.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(copyplan::Message)

class TestCopyPlan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstPrefixNumber_data();
    void firstPrefixNumber();

    void targetFolderName_data();
    void targetFolderName();

    void firstMatch_data();
    void firstMatch();

    void messages_data();
    void messages();

    void fitProgressWindow_data();
    void fitProgressWindow();
};

void TestCopyPlan::firstPrefixNumber_data()
{
    QTest::addColumn<QString>("names"); // of the Target List's folders, joined by "|"
    QTest::addColumn<int>("expected");

    QTest::newRow("empty list") << QString() << 0;
    QTest::newRow("walk skips Zed, stops at 02_B") << u"01_A|02_B|Zed"_s << 3;
    QTest::newRow("last prefixed folder wins, not the largest") << u"10_J|03_C|Zed"_s << 4;
    QTest::newRow("ab_cd is not prefixed") << u"ab_cd"_s << 0;
    QTest::newRow("00_Intro is prefixed") << u"00_Intro"_s << 1;
    QTest::newRow("7a_ reads 7") << u"7a_Live"_s << 8;
    QTest::newRow("leading blank") << u" 5_Blank"_s << 6;
    QTest::newRow("one digit then underscore") << u"1_Album"_s << 0;
    QTest::newRow("short name 5_") << u"5_"_s << 6;
    QTest::newRow("short name 0_") << u"0_"_s << 0;
    QTest::newRow("three digits") << u"100_X"_s << 0;
    QTest::newRow("99 gives 100, others skipped") << u"99_L|Abba|Björk"_s << 100;
}

void TestCopyPlan::firstPrefixNumber()
{
    QFETCH(QString, names);
    QFETCH(int, expected);

    QStringList targetList;
    for (const QString& name : names.split(u'|', Qt::SkipEmptyParts))
        targetList.append(u"/media/usb/Music/"_s + name);
    QCOMPARE(copyplan::firstPrefixNumber(targetList), expected);
}

void TestCopyPlan::targetFolderName_data()
{
    QTest::addColumn<bool>("prefixOn");
    QTest::addColumn<int>("prefixNumber");
    QTest::addColumn<QString>("expected");

    QTest::newRow("prefix off") << false << 4 << u"Abba - Gold"_s;
    QTest::newRow("prefix 4") << true << 4 << u"04_Abba - Gold"_s;
    QTest::newRow("prefix 100") << true << 100 << u"00_Abba - Gold"_s;
}

void TestCopyPlan::targetFolderName()
{
    QFETCH(bool, prefixOn);
    QFETCH(int, prefixNumber);
    QFETCH(QString, expected);
    QCOMPARE(copyplan::targetFolderName(u"/home/u/Music/Abba - Gold"_s, prefixOn, prefixNumber),
             expected);
}

void TestCopyPlan::firstMatch_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("targets"); // joined by "|"
    QTest::addColumn<bool>("prefixOn");
    QTest::addColumn<int>("expected");

    QTest::newRow("off, same name, case counts") << u"Album"_s << u"album|Album"_s << false << 1;
    QTest::newRow("off, contained is not equal") << u"Live"_s << u"07_Live|Live 2"_s << false << -1;
    QTest::newRow("on, first container only") << u"Live"_s << u"Abba|07_Live|Live 2"_s << true << 1;
    QTest::newRow("on, Live 2 first") << u"Live"_s << u"Live 2|07_Live"_s << true << 0;
    QTest::newRow("on, case differs") << u"live"_s << u"07_Live"_s << true << -1;
    QTest::newRow("empty target list") << u"Album"_s << QString() << true << -1;
}

void TestCopyPlan::firstMatch()
{
    QFETCH(QString, source);
    QFETCH(QString, targets);
    QFETCH(bool, prefixOn);
    QFETCH(int, expected);
    QCOMPARE(copyplan::firstMatch(source, targets.split(u'|', Qt::SkipEmptyParts), prefixOn),
             expected);
}

void TestCopyPlan::messages_data()
{
    QTest::addColumn<copyplan::Message>("message");
    QTest::addColumn<QString>("expected"); // "title|text"

    // The English texts of the messages a copy run shows are checked with the run itself.
    const auto row = [](const char* name, const copyplan::Message& message, const QString& text) {
        QTest::newRow(name) << message << text;
    };
    row("fixed drive, Swedish", copyplan::fixedDriveWarning(true),
        u"Intern Disk|Du har valt att kopiera foldrar till en intern disk.\n\nVill du "
        u"fortsätta ?"_s);
    row("confirm one folder, English",
        copyplan::confirmation(1, u"/media/usb/Music/"_s, false, false),
        u"Copy Folders|Confirm copying of 1 folder to /media/usb/Music/.\n\nNote that the "
        u"target folder is not the root of the disk !"_s);
    row("confirm one folder to a root, Swedish",
        copyplan::confirmation(1, u"/media/usb/"_s, true, true),
        u"Kopiera Foldrar|Bekräfta kopiering av 1 folder till /media/usb/."_s);
    row("same name, Swedish", copyplan::sameNameQuestion(u"Album"_s, true),
        u"Dublett folder|Mål folder   Album   finns redan !\nOm du fortsätter kommer innehållet i "
        u"källfoldern att läggas till i målfoldern och filer med samma namn skrivs över.\n\nVill "
        u"du fortsätta ?"_s);
    row("similar name, English",
        copyplan::similarNameQuestion(u"Live"_s, u"07_Live"_s, u"12"_s, false),
        u"Duplicate folder|Source Folder:   Live\nA Target folder with similar name   07_Live   "
        u"already exists !\nIf you continue the content of the folder will be copied to the "
        u"target disk with prefix 12.\n\nDo you want to continue ?"_s);
    row("similar name, Swedish",
        copyplan::similarNameQuestion(u"Live"_s, u"07_Live"_s, u"00"_s, true),
        u"Dublett folder|Källfolder:   Live\nEn Målfolder med ett liknande namn   07_Live   finns "
        u"redan !\nOm du fortsätter kommer Källfoldern att kopieras till Måldisken med prefix "
        u"00.\n\nVill du fortsätta ?"_s);
    // A run on a full disk needs a small tmpfs, which not every machine lets a test mount.
    row("disk full, English", copyplan::diskFull(u"/media/usb  [MUSIC]"_s, false),
        u"Drive Error|Drive /media/usb  [MUSIC] is full."_s);
    row("disk full, Swedish", copyplan::diskFull(u"/media/usb  [MUSIC]"_s, true),
        u"Disk fel|Disk /media/usb  [MUSIC] är full."_s);
    row("copy error, Swedish",
        copyplan::copyError(u"/media/usb/01_A/a.mp3"_s, u"Permission denied"_s, true),
        u"Kopieringsfel|Kunde inte kopiera  /media/usb/01_A/a.mp3\nPermission denied"_s);
    row("canceled, Swedish", copyplan::canceled(true),
        u"Avbruten Kopiering|Kopieringen avbröts och den senast kopierade foldern är troligtvis "
        u"inte komplett."_s);
    row("one not found, Swedish", copyplan::notFoundReport(1, u"\n/home/u/Music/B"_s, true),
        u"Error|\n/home/u/Music/B kunde inte hittas."_s);
    row("two not found, Swedish",
        copyplan::notFoundReport(2, u"\n/home/u/Music/B\n/home/u/Music/D"_s, true),
        u"Error|Följande Foldrar kunde inte hittas:\n\n/home/u/Music/B\n/home/u/Music/D"_s);
    row("log not created, Swedish",
        copyplan::logNotCreated(u"/data/5-12-2024_1.odr"_s, u"No space left on device"_s, true),
        u"Kopieringsfel|Kunde inte skapa kopieringsloggen  /data/5-12-2024_1.odr\nNo space "
        u"left on device\nIngenting kopierat."_s);
}

void TestCopyPlan::messages()
{
    QFETCH(copyplan::Message, message);
    QFETCH(QString, expected);
    QCOMPARE(message.title + u'|' + message.text, expected);
}

void TestCopyPlan::fitProgressWindow_data()
{
    QTest::addColumn<QList<int>>("given"); // label width, main window's left and width
    QTest::addColumn<QList<int>>("span");  // the window's left and width

    QTest::newRow("as wide as the button") << QList{145, 100, 600} << QList{316, 168};
    QTest::newRow("one pixel wider") << QList{146, 100, 600} << QList{315, 169};
    QTest::newRow("4000 twips") << QList{4000 / 15, 100, 600} << QList{255, 289};
    QTest::newRow("main narrower than the window") << QList{300, 200, 201} << QList{139, 323};
    QTest::newRow("main at the screen's left") << QList{40, 0, 168} << QList{0, 168};
}

void TestCopyPlan::fitProgressWindow()
{
    QFETCH(QList<int>, given);
    QFETCH(QList<int>, span);

    const copyplan::Span fitted = copyplan::fitProgressWindow(given[0], given[1], given[2]);
    QCOMPARE((QList{fitted.left, fitted.width}), span);
}

QTEST_GUILESS_MAIN(TestCopyPlan)
#include "tst_copyplan.moc"
