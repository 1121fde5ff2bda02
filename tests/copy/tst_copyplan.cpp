#include "copy/CopyPlan.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(copyplan::Message)

class TestCopyPlan : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void targetPath_data();
    void targetPath();

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

void TestCopyPlan::targetPath_data()
{
    QTest::addColumn<QString>("highlighted");
    QTest::addColumn<QString>("expected");

    QTest::newRow("folder") << u"/media/usb/Music"_s << u"/media/usb/Music/"_s;
    QTest::newRow("drive root") << u"/media/usb/"_s << u"/media/usb/"_s;
    QTest::newRow("system root") << u"/"_s << u"/"_s;
}

void TestCopyPlan::targetPath()
{
    QFETCH(QString, highlighted);
    QFETCH(QString, expected);
    QCOMPARE(copyplan::targetPath(highlighted), expected);
}

void TestCopyPlan::firstPrefixNumber_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("expected");

    QTest::newRow("empty list") << QStringList{} << 0;
    QTest::newRow("walk skips Zed, stops at 02_B")
        << QStringList{u"01_A"_s, u"02_B"_s, u"Zed"_s} << 3;
    QTest::newRow("last prefixed folder wins, not the largest")
        << QStringList{u"10_J"_s, u"03_C"_s, u"Zed"_s} << 4;
    QTest::newRow("ab_cd is not prefixed") << QStringList{u"ab_cd"_s} << 0;
    QTest::newRow("00_Intro is prefixed") << QStringList{u"00_Intro"_s} << 1;
    QTest::newRow("7a_ reads 7") << QStringList{u"7a_Live"_s} << 8;
    QTest::newRow("leading blank") << QStringList{u" 5_Blank"_s} << 6;
    QTest::newRow("one digit then underscore") << QStringList{u"1_Album"_s} << 0;
    QTest::newRow("short name 5_") << QStringList{u"5_"_s} << 6;
    QTest::newRow("short name 0_") << QStringList{u"0_"_s} << 0;
    QTest::newRow("three digits") << QStringList{u"100_X"_s} << 0;
    QTest::newRow("99 gives 100, others skipped")
        << QStringList{u"99_L"_s, u"Abba"_s, u"Björk"_s} << 100;
}

void TestCopyPlan::firstPrefixNumber()
{
    QFETCH(QStringList, names);
    QFETCH(int, expected);

    QStringList targetList;
    for (const QString& name : names)
        targetList.append(u"/media/usb/Music/"_s + name);
    QCOMPARE(copyplan::firstPrefixNumber(targetList), expected);
}

void TestCopyPlan::targetFolderName_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("prefixOn");
    QTest::addColumn<int>("prefixNumber");
    QTest::addColumn<QString>("expected");

    QTest::newRow("prefix off") << u"/home/u/Music/Abba - Gold"_s << false << 4 << u"Abba - Gold"_s;
    QTest::newRow("prefix 4") << u"/home/u/Music/Abba - Gold"_s << true << 4 << u"04_Abba - Gold"_s;
    QTest::newRow("prefix 0") << u"/home/u/Music/Björk"_s << true << 0 << u"00_Björk"_s;
    QTest::newRow("prefix 100") << u"/home/u/Music/Björk"_s << true << 100 << u"00_Björk"_s;
    QTest::newRow("prefix 57") << u"/home/u/Music/Live"_s << true << 57 << u"57_Live"_s;
}

void TestCopyPlan::targetFolderName()
{
    QFETCH(QString, entry);
    QFETCH(bool, prefixOn);
    QFETCH(int, prefixNumber);
    QFETCH(QString, expected);
    QCOMPARE(copyplan::targetFolderName(entry, prefixOn, prefixNumber), expected);
}

void TestCopyPlan::firstMatch_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("targets");
    QTest::addColumn<bool>("prefixOn");
    QTest::addColumn<int>("expected");

    QTest::newRow("off, same name, case counts")
        << u"Album"_s << QStringList{u"album"_s, u"Album"_s} << false << 1;
    QTest::newRow("off, contained is not equal")
        << u"Live"_s << QStringList{u"07_Live"_s, u"Live 2"_s} << false << -1;
    QTest::newRow("on, first container only")
        << u"Live"_s << QStringList{u"Abba"_s, u"07_Live"_s, u"Live 2"_s} << true << 1;
    QTest::newRow("on, Live 2 first")
        << u"Live"_s << QStringList{u"Live 2"_s, u"07_Live"_s} << true << 0;
    QTest::newRow("on, case differs") << u"live"_s << QStringList{u"07_Live"_s} << true << -1;
    QTest::newRow("empty target list") << u"Album"_s << QStringList{} << true << -1;
}

void TestCopyPlan::firstMatch()
{
    QFETCH(QString, source);
    QFETCH(QStringList, targets);
    QFETCH(bool, prefixOn);
    QFETCH(int, expected);
    QCOMPARE(copyplan::firstMatch(source, targets, prefixOn), expected);
}

void TestCopyPlan::messages_data()
{
    QTest::addColumn<copyplan::Message>("message");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    // The English texts of the messages a copy run shows are checked with the run itself.

    QTest::newRow("fixed drive, Swedish")
        << copyplan::fixedDriveWarning(true) << u"Intern Disk"_s
        << u"Du har valt att kopiera foldrar till en intern disk.\n\nVill du fortsätta ?"_s;

    QTest::newRow("confirm one folder, English")
        << copyplan::confirmation(1, u"/media/usb/Music/"_s, false, false) << u"Copy Folders"_s
        << u"Confirm copying of 1 folder to /media/usb/Music/.\n\nNote that the target folder is "
           u"not the root of the disk !"_s;
    QTest::newRow("confirm one folder to a root, Swedish")
        << copyplan::confirmation(1, u"/media/usb/"_s, true, true) << u"Kopiera Foldrar"_s
        << u"Bekräfta kopiering av 1 folder till /media/usb/."_s;
    QTest::newRow("confirm three folders, Swedish")
        << copyplan::confirmation(3, u"/media/usb/Musik/"_s, false, true) << u"Kopiera Foldrar"_s
        << u"Bekräfta kopiering av 3 foldrar till /media/usb/Musik/.\n\nNotera att målfoldern "
           u"inte är diskens rotfolder !"_s;

    QTest::newRow("same name, Swedish")
        << copyplan::sameNameQuestion(u"Album"_s, true) << u"Dublett folder"_s
        << u"Mål folder   Album   finns redan !\nOm du fortsätter kommer innehållet i källfoldern "
           u"att läggas till i målfoldern och filer med samma namn skrivs över.\n\nVill du "
           u"fortsätta ?"_s;

    QTest::newRow("similar name, English")
        << copyplan::similarNameQuestion(u"Live"_s, u"07_Live"_s, u"12"_s, false)
        << u"Duplicate folder"_s
        << u"Source Folder:   Live\nA Target folder with similar name   07_Live   already exists "
           u"!\nIf you continue the content of the folder will be copied to the target disk with "
           u"prefix 12.\n\nDo you want to continue ?"_s;
    QTest::newRow("similar name, Swedish")
        << copyplan::similarNameQuestion(u"Live"_s, u"07_Live"_s, u"00"_s, true)
        << u"Dublett folder"_s
        << u"Källfolder:   Live\nEn Målfolder med ett liknande namn   07_Live   finns redan !\nOm "
           u"du fortsätter kommer Källfoldern att kopieras till Måldisken med prefix 00.\n\nVill "
           u"du fortsätta ?"_s;

    QTest::newRow("disk full, English")
        << copyplan::diskFull(u"/media/usb  [MUSIC]"_s, false) << u"Drive Error"_s
        << u"Drive /media/usb  [MUSIC] is full."_s;
    QTest::newRow("disk full, Swedish") << copyplan::diskFull(u"/media/usb  [MUSIC]"_s, true)
                                        << u"Disk fel"_s << u"Disk /media/usb  [MUSIC] är full."_s;

    QTest::newRow("copy error, English")
        << copyplan::copyError(u"/media/usb/01_A/a.mp3"_s, u"Permission denied"_s, false)
        << u"Copy Error"_s << u"Could not copy  /media/usb/01_A/a.mp3\nPermission denied"_s;
    QTest::newRow("copy error, Swedish")
        << copyplan::copyError(u"/media/usb/01_A/a.mp3"_s, u"Permission denied"_s, true)
        << u"Kopieringsfel"_s << u"Kunde inte kopiera  /media/usb/01_A/a.mp3\nPermission denied"_s;

    QTest::newRow("canceled, Swedish")
        << copyplan::canceled(true) << u"Avbruten Kopiering"_s
        << u"Kopieringen avbröts och den senast kopierade foldern är troligtvis inte komplett."_s;

    QTest::newRow("one not found, Swedish")
        << copyplan::notFoundReport(1, u"\n/home/u/Music/B"_s, true) << u"Error"_s
        << u"\n/home/u/Music/B kunde inte hittas."_s;
    QTest::newRow("two not found, Swedish")
        << copyplan::notFoundReport(2, u"\n/home/u/Music/B\n/home/u/Music/D"_s, true) << u"Error"_s
        << u"Följande Foldrar kunde inte hittas:\n\n/home/u/Music/B\n/home/u/Music/D"_s;

    QTest::newRow("log not created, English")
        << copyplan::logNotCreated(u"/data/5-12-2024_1.odr"_s, u"No space left on device"_s, false)
        << u"Copy Error"_s
        << u"Could not create the copy log  /data/5-12-2024_1.odr\nNo space left on device\n"
           u"Nothing copied."_s;
    QTest::newRow("log not created, Swedish")
        << copyplan::logNotCreated(u"/data/5-12-2024_1.odr"_s, u"No space left on device"_s, true)
        << u"Kopieringsfel"_s
        << u"Kunde inte skapa kopieringsloggen  /data/5-12-2024_1.odr\nNo space left on device\n"
           u"Ingenting kopierat."_s;
}

void TestCopyPlan::messages()
{
    QFETCH(copyplan::Message, message);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QCOMPARE(message.title, title);
    QCOMPARE(message.text, text);
}

void TestCopyPlan::fitProgressWindow_data()
{
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<int>("mainLeft");
    QTest::addColumn<int>("mainWidth");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");

    QTest::newRow("short path") << 40 << 100 << 600 << 316 << 168;
    QTest::newRow("as wide as the button") << 145 << 100 << 600 << 316 << 168;
    QTest::newRow("one pixel wider") << 146 << 100 << 600 << 315 << 169;
    QTest::newRow("4000 twips") << 4000 / 15 << 100 << 600 << 255 << 289;
    QTest::newRow("main narrower than the window") << 300 << 200 << 201 << 139 << 323;
    QTest::newRow("main at the screen's left") << 40 << 0 << 168 << 0 << 168;
}

void TestCopyPlan::fitProgressWindow()
{
    QFETCH(int, labelWidth);
    QFETCH(int, mainLeft);
    QFETCH(int, mainWidth);
    QFETCH(int, left);
    QFETCH(int, width);

    const copyplan::Span span = copyplan::fitProgressWindow(labelWidth, mainLeft, mainWidth);
    QCOMPARE(span.width, width);
    QCOMPARE(span.left, left);
}

QTEST_GUILESS_MAIN(TestCopyPlan)
#include "tst_copyplan.moc"
