#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum class Place { Exists, MissingFolder, DriveNotReady, MissingDrive };

// Stores key as pointing at E/Music, or at what is left of it after the given loss.
void storePlace(MainFormFixture& f, const QString& key, Place place)
{
    const QString stick = f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/"_s, u"C/Last/"_s});
    f.store(key, f.dir(place == Place::MissingFolder ? u"E/Gone"_s : u"E/Music"_s));
    if (place == Place::DriveNotReady)
        f.drives->setReady(stick, false);
    else if (place == Place::MissingDrive)
        f.drives->remove(stick);
}

} // namespace

class TestMainFormStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void firstRunWithoutSettings();
    void opensLastUsedFolders();
    void fallBacks_data();
    void fallBacks();
    void lostDefaultPathReportedOnFirstShowOnly();
    void paneToolTips_data();
    void paneToolTips();
    void shutdownWritesFoldersAndChangedOptionsOnly();
    void closingWithDefaultOptionButNoPath_data();
    void closingWithDefaultOptionButNoPath();
    void unwritableDataFolderIsReported();
};

void TestMainFormStartup::firstRunWithoutSettings()
{
    MainFormFixture f;
    MainForm& w = f.start();

    QCOMPARE(w.windowTitle(), u"Ordrane, v1.0 - Dec 2024 / QV"_s);
    QCOMPARE(w.SourceFolderList->path(), f.system + u'/');
    QCOMPARE(w.TargetFolderList->path(), f.system + u'/');
    for (const QAction* item : {w.Menu_GotoDefaultPath, w.Menu_SaveCurrentLocationasDefaultPath,
                                w.Menu_SaveCurrentSourceList})
        QVERIFY(!item->isEnabled());
    for (const QAction* item : {w.Menu_UseDefaultSourcePath, w.Menu_DisableToolTipsOnPanes,
                                w.Menu_AddFolderPrefix, w.Menu_UseLogFile, w.Menu_Swedish})
        QVERIFY(!item->isChecked());
    QVERIFY(w.Menu_English->isChecked());
    QVERIFY(!w.GoHome->isEnabled());
    QVERIFY(!w.CopyFolders->isEnabled());
    QVERIFY(!w.SourceUpOneLevel->isEnabled());
    QVERIFY(w.Label_ShowFiles->isHidden());
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
    QCOMPARE(w.TargetList->item(1)->text(), f.dir(u"E/Music/02_Other"_s));
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"4"_s);
    QCOMPARE(w.TargetFreeSpace->text(), u" 1.50 kB"_s);
    QVERIFY(w.SourceUpOneLevel->isEnabled());
    QVERIFY(w.ClearTargetFolders->isEnabled());
    QVERIFY(!w.ClearTargetDrive->isEnabled());
}

void TestMainFormStartup::fallBacks_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<Place>("place");
    QTest::addColumn<QString>("expectedPane"); // relative to the temporary tree
    QTest::addColumn<bool>("optionStaysOn");

    const QList<std::pair<Place, const char*>> places{{Place::Exists, "there"},
                                                      {Place::MissingFolder, "folder gone"},
                                                      {Place::DriveNotReady, "drive not ready"},
                                                      {Place::MissingDrive, "drive gone"}};
    const QStringList panes{u"E/Music"_s, u"E/"_s, u"C/"_s, u"C/"_s};
    for (const char* key : {"SourcePath", "DefaultSourcePath", "TargetPath"})
        for (int i = 0; i < 4; ++i)
            QTest::addRow("%s, %s", key, places[i].second)
                << QString::fromLatin1(key) << places[i].first << panes[i]
                << (i == 0 && qstrcmp(key, "DefaultSourcePath") == 0);
}

void TestMainFormStartup::fallBacks()
{
    QFETCH(QString, key);
    QFETCH(Place, place);
    QFETCH(QString, expectedPane);
    QFETCH(bool, optionStaysOn);

    MainFormFixture f;
    storePlace(f, key, place);
    const bool asDefault = key == u"DefaultSourcePath"_s;
    if (asDefault)
        f.store(u"SourcePath"_s, f.dir(u"C/Last"_s));
    MainForm& w = f.start();

    const QString expected =
        expectedPane.endsWith(u'/') ? f.dir(expectedPane.chopped(1)) + u'/' : f.dir(expectedPane);
    const bool target = key == u"TargetPath"_s;
    QCOMPARE((target ? w.TargetFolderList : w.SourceFolderList)->path(), expected);
    QCOMPARE(f.m->TargetDrive->mountPoint(), w.TargetDriveList->mountPoint());
    QCOMPARE(w.Menu_UseDefaultSourcePath->isChecked(), optionStaysOn);
    QCOMPARE(w.GoHome->isEnabled(), optionStaysOn);
    QCOMPARE(w.Menu_GotoDefaultPath->isEnabled(), optionStaysOn);
    QCOMPARE(f.m->SettingChanged[Module1::DefaultSourcePathSetting], asDefault && !optionStaysOn);
    QVERIFY(f.platform->messages().isEmpty());

    // Only a default folder gone from a drive that is there is reported, once shown.
    const bool reported = asDefault && place == Place::MissingFolder;
    QCOMPARE(w.DefaultPathLost, reported);
    if (reported)
        f.platform->answer(Platform::Answer::Ok);
    w.Form_Activate();
    QCOMPARE(f.platform->messages().size(), reported ? 1 : 0);
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
    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Error|Standard sökväg för Källdisk existerar inte.\nAnvänd Standard "
                         u"sökväg för Källdisk inaktiverad.|Ok|None"_s});

    w.hide();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Form_Activate();
    QCOMPARE(f.platform->messages().size(), 1);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.SourceFolderList));
}

void TestMainFormStartup::paneToolTips_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("English") << false
                             << QStringList{
                                    u"Source Disk - Hit Insert to copy selected folder, "
                                    u"Right click or Space Bar on a folder to see the files"_s,
                                    u"Source List - Right click or Space Bar on a folder to "
                                    u"see the files, Click & Drag to change positions"_s,
                                    u"Target Disk -  Right click or Space Bar on a folder "
                                    u"to see the files"_s,
                                    u"Target List - Right click or Space Bar on a folder "
                                    u"to see the files"_s};
    QTest::newRow("Swedish") << true
                             << QStringList{
                                    u"Källdisk - Tryck på Insert för att kopiera markerad "
                                    u"folder, Högerklicka eller tryck mellanslag på en "
                                    u"folder för att se filerna"_s,
                                    u"Käll-lista - Högerklicka eller tryck Mellanslag på en "
                                    u"folder för att se filerna"_s,
                                    u"Måldisk - Högerklicka eller tryck Mellanslag på en "
                                    u"folder för att se filerna"_s,
                                    u"Mål-lista - Högerklicka eller tryck Mellanslag på en "
                                    u"folder för att se filerna"_s};
}

void TestMainFormStartup::paneToolTips()
{
    QFETCH(bool, swedish);
    QFETCH(QStringList, texts);

    MainFormFixture f;
    f.store(u"Swedish"_s, swedish ? u"1"_s : u"0"_s);
    MainForm& w = f.start();
    QCOMPARE((QStringList{w.SourceFolderList->toolTip(), w.SourceList->toolTip(),
                          w.TargetFolderList->toolTip(), w.TargetList->toolTip()}),
             texts);
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

void TestMainFormStartup::closingWithDefaultOptionButNoPath_data()
{
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<Platform::Answer>("answer");

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
    f.platform->clear();

    f.platform->answer(answer);
    QCOMPARE(w.close(), answer == Platform::Answer::Yes);
    QCOMPARE(messageTexts(*f.platform),
             QStringList{swedish ? u"Sökvägs fel|Standard Källdisk sökväg är inte definerad.\nVill "
                                   u"du forsätta och avsluta programmet ?|YesNo|Critical"_s
                                 : u"Path Error|Default Source path has not been defined.\nDo "
                                   u"you want to continue and end the application "
                                   u"?|YesNo|Critical"_s});
    if (answer == Platform::Answer::No) {
        QCOMPARE(MainFormFixture::stored(u"SourcePath"_s), u"<none>"_s);
        return;
    }
    QCOMPARE(MainFormFixture::stored(u"DefaultSourcePath"_s), QString());

    // The next start has the option off.
    MainFormFixture next;
    next.store(u"DefaultSourcePath"_s, QString());
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
