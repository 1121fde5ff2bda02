#include "support/MainFormFixture.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class TestMainFormStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void firstRunWithoutSettings();
    void opensLastUsedFolders();
    void sourceFallBacks_data();
    void sourceFallBacks();
    void targetFallBacks_data();
    void targetFallBacks();
    void lostDefaultPathReportedOnFirstShowOnly();
    void optionsFromStoredText_data();
    void optionsFromStoredText();
    void captionsAndToolTips_data();
    void captionsAndToolTips();
    void paneToolTipsFollowLanguageAndOption_data();
    void paneToolTipsFollowLanguageAndOption();
    void shutdownWritesFoldersAndChangedOptionsOnly();
    void optionSwitchedTwiceIsStillWritten();
    void closingWithDefaultOptionButNoPath_data();
    void closingWithDefaultOptionButNoPath();
    void unwritableDataFolderIsReported();
};

void TestMainFormStartup::firstRunWithoutSettings()
{
    MainFormFixture f;
    MainForm& w = f.start();

    QCOMPARE(w.windowTitle(), u"Ordrane, v1.0 - Dec 2024 / QV"_s);
    QCOMPARE(f.m->AppVersion, u"1.0"_s);
    QCOMPARE(f.m->Swedish, false);
    QCOMPARE(w.SourceFolderList->path(), f.system + u'/');
    QCOMPARE(w.TargetFolderList->path(), f.system + u'/');
    QVERIFY(!w.GoHome->isEnabled());
    QVERIFY(!w.Menu_GotoDefaultPath->isEnabled());
    QVERIFY(!w.Menu_SaveCurrentLocationasDefaultPath->isEnabled());
    QVERIFY(!w.Menu_UseDefaultSourcePath->isChecked());
    QVERIFY(!w.Menu_DisableToolTipsOnPanes->isChecked());
    QVERIFY(!w.Menu_AddFolderPrefix->isChecked());
    QVERIFY(!w.Menu_UseLogFile->isChecked());
    QVERIFY(!w.Menu_Player->isChecked());
    QVERIFY(w.Menu_English->isChecked());
    QVERIFY(!w.Menu_Swedish->isChecked());
    QVERIFY(!w.CopyFolders->isEnabled());
    QVERIFY(!w.Menu_SaveCurrentSourceList->isEnabled());
    QVERIFY(w.Label_ShowFiles->isHidden());
    QCOMPARE(w.DragStartIndex, -1);
    QCOMPARE(w.TotalSize->text(), QString());
    QVERIFY(f.m->TargetDrive.has_value());
    QVERIFY(!w.SourceUpOneLevel->isEnabled());
    // The system drive is fixed: nothing is counted until asked for.
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"Click Refresh"_s);
    QVERIFY(f.platform->messages().isEmpty());
    QVERIFY(QFileInfo(w.DataFolder).isDir());
}

void TestMainFormStartup::opensLastUsedFolders()
{
    MainFormFixture f;
    const QString stick = f.addDrive(u"E"_s, true, u"STICK"_s);
    f.dir.create({u"E/Music/01_Album/a.mp3"_s, u"E/Music/02_Other/b.MP3"_s,
                  u"E/Music/02_Other/CD 1/c.mp3"_s, u"E/Music/loose.mp3"_s, u"C/Src/Album/"_s});
    f.drives->setFreeSpace(stick, 1500);
    f.store(u"SourcePath"_s, f.dir(u"C/Src"_s));
    f.store(u"TargetPath"_s, f.dir(u"E/Music"_s));
    MainForm& w = f.start();

    QCOMPARE(w.SourceFolderList->path(), f.dir(u"C/Src"_s));
    QCOMPARE(w.TargetDriveList->drive(), stick + u"  [STICK]"_s);
    QCOMPARE(w.TargetFolderList->path(), f.dir(u"E/Music"_s));
    QCOMPARE(w.TargetList->count(), 2);
    QCOMPARE(w.TargetList->item(0)->text(), f.dir(u"E/Music/01_Album"_s));
    QCOMPARE(w.TargetList->item(1)->text(), f.dir(u"E/Music/02_Other"_s));
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"4"_s);
    QCOMPARE(w.TargetFreeSpace->text(), u" 1.50 kB"_s);
    QVERIFY(w.SourceUpOneLevel->isEnabled());
    QVERIFY(w.TargetUpOneLevel->isEnabled());
    QVERIFY(w.ClearTargetFolders->isEnabled());
    QVERIFY(!w.ClearTargetDrive->isEnabled());
}

enum class Place { Exists, MissingFolder, DriveNotReady, MissingDrive };

void TestMainFormStartup::sourceFallBacks_data()
{
    QTest::addColumn<bool>("asDefault");
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("expectedPane"); // relative to the temporary tree; "C/" system root
    QTest::addColumn<bool>("optionStaysOn");
    QTest::addColumn<bool>("reportedOnActivation");

    QTest::newRow("last folder") << false << Place::Exists << u"E/Music"_s << false << false;
    QTest::newRow("last folder gone") << false << Place::MissingFolder << u"E/"_s << false << false;
    QTest::newRow("last drive not ready")
        << false << Place::DriveNotReady << u"C/"_s << false << false;
    QTest::newRow("last drive gone") << false << Place::MissingDrive << u"C/"_s << false << false;
    QTest::newRow("default folder") << true << Place::Exists << u"E/Music"_s << true << false;
    QTest::newRow("default folder gone")
        << true << Place::MissingFolder << u"E/"_s << false << true;
    QTest::newRow("default drive not ready")
        << true << Place::DriveNotReady << u"C/"_s << false << false;
    QTest::newRow("default drive gone") << true << Place::MissingDrive << u"C/"_s << false << false;
}

void TestMainFormStartup::sourceFallBacks()
{
    QFETCH(bool, asDefault);
    QFETCH(Place, place);
    QFETCH(QString, expectedPane);
    QFETCH(bool, optionStaysOn);
    QFETCH(bool, reportedOnActivation);

    MainFormFixture f;
    const QString stick = f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/"_s, u"C/Last/"_s});
    QString path = f.dir(u"E/Music"_s);
    if (place == Place::MissingFolder)
        path = f.dir(u"E/Gone"_s);
    else if (place == Place::DriveNotReady)
        f.drives->setReady(stick, false);
    else if (place == Place::MissingDrive)
        f.drives->remove(stick);
    f.store(asDefault ? u"DefaultSourcePath"_s : u"SourcePath"_s, path);
    if (asDefault)
        f.store(u"SourcePath"_s, f.dir(u"C/Last"_s));
    MainForm& w = f.start();

    const QString expected =
        expectedPane.endsWith(u'/') ? f.dir(expectedPane.chopped(1)) + u'/' : f.dir(expectedPane);
    QCOMPARE(w.SourceFolderList->path(), expected);
    QCOMPARE(w.Menu_UseDefaultSourcePath->isChecked(), optionStaysOn);
    QCOMPARE(w.GoHome->isEnabled(), optionStaysOn);
    QCOMPARE(w.Menu_GotoDefaultPath->isEnabled(), optionStaysOn);
    QCOMPARE(f.m->SettingChanged[Module1::DefaultSourcePathSetting], asDefault && !optionStaysOn);
    QCOMPARE(w.DefaultPathLost, reportedOnActivation);
    QVERIFY(f.platform->messages().isEmpty());

    if (reportedOnActivation)
        f.platform->answer(Platform::Answer::Ok);
    w.Form_Activate();
    QCOMPARE(f.platform->messages().size(), reportedOnActivation ? 1 : 0);
}

void TestMainFormStartup::targetFallBacks_data()
{
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("expectedPane");

    QTest::newRow("last folder") << Place::Exists << u"E/Music"_s;
    QTest::newRow("folder gone") << Place::MissingFolder << u"E/"_s;
    QTest::newRow("drive not ready") << Place::DriveNotReady << u"C/"_s;
    QTest::newRow("drive gone") << Place::MissingDrive << u"C/"_s;
}

void TestMainFormStartup::targetFallBacks()
{
    QFETCH(Place, place);
    QFETCH(QString, expectedPane);

    MainFormFixture f;
    const QString stick = f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/"_s});
    QString path = f.dir(u"E/Music"_s);
    if (place == Place::MissingFolder)
        path = f.dir(u"E/Gone"_s);
    else if (place == Place::DriveNotReady)
        f.drives->setReady(stick, false);
    else if (place == Place::MissingDrive)
        f.drives->remove(stick);
    f.store(u"TargetPath"_s, path);
    MainForm& w = f.start();

    const QString expected =
        expectedPane.endsWith(u'/') ? f.dir(expectedPane.chopped(1)) + u'/' : f.dir(expectedPane);
    QCOMPARE(w.TargetFolderList->path(), expected);
    QCOMPARE(w.TargetDriveList->mountPoint(), expected.startsWith(stick) ? stick : f.system);
    QVERIFY(f.m->TargetDrive.has_value());
    QCOMPARE(f.m->TargetDrive->mountPoint(), w.TargetDriveList->mountPoint());
    QVERIFY(f.platform->messages().isEmpty());
}

void TestMainFormStartup::lostDefaultPathReportedOnFirstShowOnly()
{
    MainFormFixture f;
    f.addDrive(u"E"_s, true);
    f.store(u"DefaultSourcePath"_s, f.dir(u"E/Gone"_s));
    f.store(u"Swedish"_s, u"1"_s);
    MainForm& w = f.start();

    f.platform->answer(Platform::Answer::Ok);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(f.platform->messages().size(), 1);
    const auto& shown = f.platform->messages().first();
    QCOMPARE(shown.title, u"Error"_s);
    QCOMPARE(shown.text, u"Standard sökväg för Källdisk existerar inte.\nAnvänd Standard sökväg "
                         u"för Källdisk inaktiverad."_s);
    QCOMPARE(shown.buttons, Platform::Buttons::Ok);
    QCOMPARE(shown.icon, Platform::Icon::None);
    QVERIFY(!w.DefaultPathLost);

    w.hide();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Form_Activate();
    QCOMPARE(f.platform->messages().size(), 1);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.SourceFolderList));
}

void TestMainFormStartup::optionsFromStoredText_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("on");

    QTest::newRow("1") << u"1"_s << true;
    QTest::newRow("0") << u"0"_s << false;
    QTest::newRow("2") << u"2"_s << true;
    QTest::newRow("-1") << u"-1"_s << true;
    QTest::newRow("yes") << u"yes"_s << false;
    QTest::newRow("blank then 1") << u" 1"_s << true;
    QTest::newRow("empty") << QString() << false;
}

void TestMainFormStartup::optionsFromStoredText()
{
    QFETCH(QString, stored);
    QFETCH(bool, on);

    MainFormFixture f;
    for (const QString& key :
         {u"Swedish"_s, u"DisableToolTipsOnPanes"_s, u"AddFolderPrefix"_s, u"UseLogFile"_s})
        f.store(key, stored);
    MainForm& w = f.start();

    QCOMPARE(f.m->Swedish, on);
    QCOMPARE(w.Menu_Swedish->isChecked(), on);
    QCOMPARE(w.Menu_English->isChecked(), !on);
    QCOMPARE(w.Menu_DisableToolTipsOnPanes->isChecked(), on);
    QCOMPARE(w.ToolTipsOff, on);
    QCOMPARE(w.Menu_AddFolderPrefix->isChecked(), on);
    QCOMPARE(w.Menu_UseLogFile->isChecked(), on);
}

void TestMainFormStartup::captionsAndToolTips_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("swedish");

    auto row = [](const char* control, const char* property, const QString& en, const QString& sv) {
        QTest::addRow("%s %s", control, property)
            << QString::fromLatin1(control) << QByteArray(property) << en << sv;
    };
    row("Menu_File", "title", u"&File"_s, u"&Arkiv"_s);
    row("Menu_ShowSavedSourceList", "text", u"&Show/Recall a Saved Source List File"_s,
        u"&Visa/Återskapa en Sparad Källfil-lista"_s);
    row("Menu_SaveCurrentSourceList", "text", u"Save &Current Source List"_s,
        u"&Spara Nuvarande Källfil-lista"_s);
    row("Menu_Exit", "text", u"E&xit"_s, u"&Avsluta"_s);
    row("Menu_Options", "title", u"&Options"_s, u"&Inställningar"_s);
    row("Menu_English", "text", u"&English"_s, u"&English"_s);
    row("Menu_Swedish", "text", u"S&venska"_s, u"S&venska"_s);
    row("Menu_DisableToolTipsOnPanes", "text", u"Disable Tool Tips On Panes"_s,
        u"Inaktivera ToolTips på Folderfönstren"_s);
    row("Menu_SaveCurrentLocationasDefaultPath", "text",
        u"&Save Current Location as Default Source Path"_s,
        u"Spara &Nuvarande Sökväg som Standard"_s);
    row("Menu_UseDefaultSourcePath", "text", u"Use &Default Source Path"_s,
        u"&Använd Standard Sökväg för Källdisk"_s);
    row("Menu_GotoDefaultPath", "text", u"Goto Default Source Location (Go Home)"_s,
        u"Gå till Standard Plats för Källdisk (Gå Hem)"_s);
    row("Menu_AddFolderPrefix", "text", u"Add &Prefix to Saved Folders"_s,
        u"&Lägg Till Prefix till Sparade Foldrar"_s);
    row("Menu_UseLogFile", "text", u"Use &Log File"_s, u"Använd &Logfil"_s);
    row("Menu_Player", "text", u"&Optional Media Player"_s, u"Annan Media-Spelare"_s);
    row("Menu_Help", "title", u"&Help"_s, u"&Hjälp"_s);
    row("Menu_MenuHelp", "text", u"Help, &Menues"_s, u"Hjälp, &Menyer"_s);
    row("Menu_ShortcutsHelp", "text", u"Help, &Keyboard Shortcuts"_s,
        u"Hjälp, &Tangetbordsgenvägar"_s);
    row("Menu_About", "text", u"&About"_s, u"&Om"_s);
    row("Menu_Hidden", "title", u"HiddenMenu"_s, u"HiddenMenu"_s);
    row("Menu_OpenPlay", "text", u"View/Play Files"_s, u"Visa / Spela filer"_s);
    row("Menu_OpenExplorer", "text", u"Open Selected Folder in File Manager"_s,
        u"Öppna vald folder i Filhanteraren"_s);
    row("Label_TotalSize", "text", u"Total size of files to copy:"_s,
        u"Sammanlagd storlek av filer att kopiera:"_s);
    row("Label_ShowFiles", "text", u"Right click on a folder to show files"_s,
        u"Högerklicka på en folder för att visa filer"_s);
    row("Label_TargetFreeSpace", "text", u"Estimated free space on Target drive:"_s,
        u"Uppskattat ledigt utrymme på Måldisk:"_s);
    row("Label_NumberOfFiles_0", "text", u"Number of mp3 files in selected path on Target drive:"_s,
        u"Antal mp3 filer i vald sökväg på Måldisk:"_s);
    row("Label_NumberOfFiles_1", "text", u"Click Refresh"_s, u"Klicka Uppdatera"_s);
    row("RefreshDriveLists_0", "text", u"Refresh Drives"_s, u"Uppdatera Diskar"_s);
    row("GoHome", "text", u"Go Home"_s, u"Gå Hem"_s);
    row("RefreshSourceLists", "text", u"Refresh"_s, u"Uppdatera"_s);
    row("ClearSourceList", "text", u"Clear"_s, u"Rensa"_s);
    row("RefreshDriveLists_1", "text", u"Refresh Drives"_s, u"Uppdatera Diskar"_s);
    row("RefreshTargetLists", "text", u"Refresh"_s, u"Uppdatera"_s);
    row("ClearTargetFolders", "text", u"Clear  Open Folder"_s, u"Radera Vald"_s);
    row("ClearTargetDrive", "text", u"Clear Disk"_s, u" Radera   Allt"_s);
    row("ClearSourceList", "toolTip", u"Remove all folders from the Source List"_s,
        u"Ta bort alla foldrar från Käll-listan"_s);
    row("ClearTargetFolders", "toolTip",
        u"Delete all subfolders from the selected path of the Target drive"_s,
        u"Radera alla foldrar från visad sökväg på Måldisken"_s);
    row("ClearTargetDrive", "toolTip", u"Delete all folders from the Target drive"_s,
        u"Radera hela Måldisken"_s);
    row("CopyFolder", "toolTip", u"Select one folder from the Source disk"_s,
        u"Välj en folder från Källdisken"_s);
    row("CopyFolders", "toolTip",
        u"Copy all folders from the Source List to the selected path on the Target drive"_s,
        u"Kopiera alla foldrar från Käll-listan till vald sökväg på Måldisken"_s);
    row("CopyMultipleFolders", "toolTip", u"Select muliple folders from the Source disk"_s,
        u"Välj flera foldrar från Källdisken"_s);
    row("Label_NumberOfFiles_0", "toolTip",
        u"Files are counted in the selected folder and two levels of sub folders."_s,
        u"Filer räknas i vald folder och två nivåer av underfoldrar"_s);
    row("Label_NumberOfFiles_1", "toolTip",
        u"Number of files. Only one level of subfolder counted."_s,
        u"Number of files. Only one level of subfolder counted."_s);
    row("RefreshDriveLists_0", "toolTip", u"Refresh Source Drive List"_s,
        u"Uppdatera Källdisk-listan"_s);
    row("RefreshDriveLists_1", "toolTip", u"RefreshTarget Drive List"_s,
        u"Uppdatera Måldisk-listan"_s);
    row("GoHome", "toolTip", u"Go to Default Source Location"_s,
        u"Gå till Standard Plats för Källdisk"_s);
    row("RefreshSourceLists", "toolTip",
        u"Refresh the file count of the displayed path of the Source drive"_s,
        u"Uppdatera filräkning i visad sökväg på Källdisken"_s);
    row("RefreshTargetLists", "toolTip",
        u"Refresh the file count of the displayed path of the Target drive"_s,
        u"Uppdatera filräkning i visad sökväg på Måldisken"_s);
    row("RemoveSourceFolder", "toolTip", u"Remove the selected folder from the Source List"_s,
        u"Ta bort den valda foldern från Käll-listan"_s);
    row("RemoveTargetFolder", "toolTip", u"Delete the selected folder from the Target drive"_s,
        u"Radera den valda foldern från Måldisken"_s);
    row("SourceUpOneLevel", "toolTip", u"Up one level"_s, u"Upp en nivå"_s);
    row("TargetUpOneLevel", "toolTip", u"Up one level"_s, u"Upp en nivå"_s);
}

void TestMainFormStartup::captionsAndToolTips()
{
    QFETCH(QString, control);
    QFETCH(QByteArray, property);
    QFETCH(QString, english);
    QFETCH(QString, swedish);

    for (const bool inSwedish : {false, true}) {
        MainFormFixture f;
        f.store(u"Swedish"_s, inSwedish ? u"1"_s : u"0"_s);
        MainForm& w = f.start();
        const QObject* object = w.findChild<QObject*>(control);
        QVERIFY2(object, qPrintable(control));
        QCOMPARE(object->property(property.constData()).toString(), inSwedish ? swedish : english);
    }
}

void TestMainFormStartup::paneToolTipsFollowLanguageAndOption_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<bool>("toolTipsOff");
    QTest::addColumn<QStringList>("expected");

    const QStringList english{
        u"Source Disk - Hit Insert to copy selected folder, Right click or Space Bar on a folder "
        u"to see the files"_s,
        u"Source List - Right click or Space Bar on a folder to see the files, Click & Drag to "
        u"change positions"_s,
        u"Target Disk -  Right click or Space Bar on a folder to see the files"_s,
        u"Target List - Right click or Space Bar on a folder to see the files"_s};
    const QStringList swedish{
        u"Källdisk - Tryck på Insert för att kopiera markerad folder, Högerklicka eller tryck "
        u"mellanslag på en folder för att se filerna"_s,
        u"Käll-lista - Högerklicka eller tryck Mellanslag på en folder för att se filerna"_s,
        u"Måldisk - Högerklicka eller tryck Mellanslag på en folder för att se filerna"_s,
        u"Mål-lista - Högerklicka eller tryck Mellanslag på en folder för att se filerna"_s};
    const QStringList none{QString(), QString(), QString(), QString()};
    QTest::newRow("English") << false << false << english;
    QTest::newRow("Swedish") << true << false << swedish;
    QTest::newRow("English, off") << false << true << none;
    QTest::newRow("Swedish, off") << true << true << none;
}

void TestMainFormStartup::paneToolTipsFollowLanguageAndOption()
{
    QFETCH(bool, swedish);
    QFETCH(bool, toolTipsOff);
    QFETCH(QStringList, expected);

    MainFormFixture f;
    f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    f.store(u"DisableToolTipsOnPanes"_s, toolTipsOff ? u"1"_s : u"0"_s);
    MainForm& w = f.start();

    QCOMPARE(w.SourceFolderList->toolTip(), expected[0]);
    QCOMPARE(w.SourceList->toolTip(), expected[1]);
    QCOMPARE(w.TargetFolderList->toolTip(), expected[2]);
    QCOMPARE(w.TargetList->toolTip(), expected[3]);
    // Switching the panes' tool tips off leaves the other controls' tool tips alone.
    QCOMPARE(w.GoHome->toolTip(), swedish ? u"Gå till Standard Plats för Källdisk"_s
                                          : u"Go to Default Source Location"_s);
}

void TestMainFormStartup::shutdownWritesFoldersAndChangedOptionsOnly()
{
    MainFormFixture f;
    f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/"_s, u"C/Src/"_s});
    f.store(u"SourcePath"_s, f.dir(u"C/Src"_s));
    f.store(u"TargetPath"_s, f.dir(u"E/Music"_s));
    MainForm& w = f.start();

    QVERIFY(w.close());
    QCOMPARE(MainFormFixture::storedKeys(), (QStringList{u"SourcePath"_s, u"TargetPath"_s}));
    QCOMPARE(MainFormFixture::stored(u"SourcePath"_s), f.dir(u"C/Src"_s));
    QCOMPARE(MainFormFixture::stored(u"TargetPath"_s), f.dir(u"E/Music"_s));
    QVERIFY(f.platform->messages().isEmpty());
}

void TestMainFormStartup::optionSwitchedTwiceIsStillWritten()
{
    MainFormFixture f;
    f.dir.create({u"C/Src/"_s});
    f.store(u"SourcePath"_s, f.dir(u"C/Src"_s));
    MainForm& w = f.start();

    // On with the open folder saved as default, then off again.
    f.platform->answer(Platform::Answer::Yes);
    f.platform->answer(Platform::Answer::Ok);
    w.Menu_UseDefaultSourcePath->trigger();
    QVERIFY(w.Menu_UseDefaultSourcePath->isChecked());
    QCOMPARE(w.DefaultSourcePath, f.dir(u"C/Src"_s));
    QVERIFY(w.GoHome->isEnabled());
    w.Menu_UseDefaultSourcePath->trigger();
    QVERIFY(!w.Menu_UseDefaultSourcePath->isChecked());
    QVERIFY(!w.GoHome->isEnabled());

    QVERIFY(w.close());
    QCOMPARE(MainFormFixture::stored(u"DefaultSourcePath"_s), QString());
    QCOMPARE(MainFormFixture::stored(u"Swedish"_s), u"<none>"_s);
    QCOMPARE(MainFormFixture::stored(u"UseLogFile"_s), u"<none>"_s);
}

void TestMainFormStartup::closingWithDefaultOptionButNoPath_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<Platform::Answer>("answer");

    QTest::newRow("English, No keeps running") << false << Platform::Answer::No;
    QTest::newRow("English, Yes ends") << false << Platform::Answer::Yes;
    QTest::newRow("Swedish, No keeps running") << true << Platform::Answer::No;
}

void TestMainFormStartup::closingWithDefaultOptionButNoPath()
{
    QFETCH(bool, swedish);
    QFETCH(Platform::Answer, answer);

    MainFormFixture f;
    f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    MainForm& w = f.start();
    f.platform->answer(Platform::Answer::No); // do not save the current path as default
    w.Menu_UseDefaultSourcePath->trigger();
    QVERIFY(w.Menu_UseDefaultSourcePath->isChecked());
    QVERIFY(w.Menu_SaveCurrentLocationasDefaultPath->isEnabled());
    QVERIFY(!w.GoHome->isEnabled());

    f.platform->answer(answer);
    QCOMPARE(w.close(), answer == Platform::Answer::Yes);
    const auto& asked = f.platform->messages().last();
    QCOMPARE(asked.title, swedish ? u"Sökvägs fel"_s : u"Path Error"_s);
    QCOMPARE(asked.text,
             swedish ? u"Standard Källdisk sökväg är inte definerad.\nVill du forsätta och "
                       u"avsluta programmet ?"_s
                     : u"Default Source path has not been defined.\nDo you want to continue "
                       u"and end the application ?"_s);
    QCOMPARE(asked.buttons, Platform::Buttons::YesNo);
    QCOMPARE(asked.icon, Platform::Icon::Critical);
    if (answer == Platform::Answer::No) {
        QCOMPARE(MainFormFixture::stored(u"SourcePath"_s), u"<none>"_s);
        return;
    }
    QCOMPARE(MainFormFixture::stored(u"DefaultSourcePath"_s), QString());

    // The next start has the option off.
    MainFormFixture next;
    next.store(u"DefaultSourcePath"_s, MainFormFixture::stored(u"DefaultSourcePath"_s));
    QVERIFY(!next.start().Menu_UseDefaultSourcePath->isChecked());
}

void TestMainFormStartup::unwritableDataFolderIsReported()
{
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(dataFolder).removeRecursively();
    QDir().mkpath(QFileInfo(dataFolder).path());
    {
        QFile blocker(dataFolder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }

    MainFormFixture f;
    f.platform->answer(Platform::Answer::Ok);
    MainForm& w = f.start();
    QFile::remove(dataFolder);

    QCOMPARE(f.platform->messages().size(), 1);
    const auto& shown = f.platform->messages().first();
    QCOMPARE(shown.title, u"Error"_s);
    QVERIFY2(
        shown.text.startsWith(u"Ordrane cannot create its data folder:  "_s + dataFolder + u'\n'),
        qPrintable(shown.text));
    QVERIFY(shown.text.size() > dataFolder.size() + 42); // the system's reason follows
    QCOMPARE(shown.buttons, Platform::Buttons::Ok);
    QCOMPARE(shown.icon, Platform::Icon::Exclamation);
    // The program runs on.
    QCOMPARE(w.SourceFolderList->path(), f.system + u'/');
}

QTEST_MAIN(TestMainFormStartup)
#include "tst_mainformstartup.moc"
