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

} // namespace

class TestMainFormStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void fallBacks_data();
    void fallBacks();
    void closingWithDefaultOptionButNoPath_data();
    void closingWithDefaultOptionButNoPath();
    void unwritableDataFolderIsReported();
};

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
    const QStringList panes{u"E/Music"_s, u"E/Music"_s, u"C/"_s, u"C/"_s};
    for (const char* key : {"SourcePath", "DefaultSourcePath", "TargetPath"})
        for (int i = 0; i < 4; ++i)
            QTest::addRow("%s, %s", key, places[i].second)
                << QString::fromLatin1(key) << places[i].first << panes[i]
                << (i == 0 && qstrcmp(key, "DefaultSourcePath") == 0);
    QTest::newRow("nothing stored") << QString() << Place::Exists << u"C/"_s << false;
}

void TestMainFormStartup::fallBacks()
{
    QFETCH(QString, key);
    QFETCH(Place, place);
    QFETCH(QString, expectedPane);
    QFETCH(bool, optionStaysOn);

    MainFormFixture f;
    // The key points at E/Music, or at what is left of it after the loss.
    const QString stick = f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/"_s, u"C/Last/"_s});
    if (!key.isEmpty())
        f.store(key, f.dir(place == Place::MissingFolder ? u"E/Music/Gone/CD 1"_s : u"E/Music"_s));
    if (place == Place::DriveNotReady)
        f.drives->setReady(stick, false);
    else if (place == Place::MissingDrive)
        f.drives->remove(stick);
    const bool asDefault = key == u"DefaultSourcePath"_s;
    if (asDefault) {
        f.store(u"SourcePath"_s, f.dir(u"C/Last"_s));
        f.store(u"Swedish"_s, u"1"_s);
    }
    MainForm& w = f.start();

    const QString expected =
        expectedPane.endsWith(u'/') ? f.dir(expectedPane.chopped(1)) + u'/' : f.dir(expectedPane);
    const bool target = key == u"TargetPath"_s;
    QCOMPARE((target ? w.TargetFolderList : w.SourceFolderList)->path(), expected);
    // On a first run the target is the removable drive.
    if (key.isEmpty())
        QCOMPARE(w.TargetFolderList->path(), stick + u'/');
    QCOMPARE(f.m->TargetDrive->mountPoint(), w.TargetDriveList->mountPoint());
    // The system drive is fixed: nothing is counted there until asked for.
    bool counted = false;
    w.Label_NumberOfFiles[1]->text().toInt(&counted);
    QCOMPARE(counted, w.TargetDriveList->mountPoint() != f.system);
    QVERIFY(QFileInfo(w.DataFolder).isDir());
    QCOMPARE(w.Menu_UseDefaultSourcePath->isChecked(), optionStaysOn);
    QCOMPARE(w.GoHome->isEnabled() && w.Menu_GotoDefaultPath->isEnabled(), optionStaysOn);
    QCOMPARE(f.m->SettingChanged[Module1::DefaultSourcePathSetting], asDefault && !optionStaysOn);

    // Only a default folder gone from a drive that is there is reported, once shown, and only
    // the first time.
    const bool reported = asDefault && place == Place::MissingFolder;
    QCOMPARE(w.DefaultPathLost, reported);
    f.platform->answer(Platform::Answer::Ok);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(f.platform->messages().size(), reported ? 1 : 0);
    w.hide();
    w.show();
    w.Form_Activate();
    QCOMPARE(f.platform->messages().size(), reported ? 1 : 0);
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.SourceFolderList));

    // Closing writes the folders the panes show, and no option that was left as it was.
    QVERIFY(w.close());
    if (!asDefault)
        QCOMPARE(MainFormFixture::storedKeys(), (QStringList{u"SourcePath"_s, u"TargetPath"_s}));
    QCOMPARE(MainFormFixture::stored(u"SourcePath"_s), w.SourceFolderList->path());
    QCOMPARE(MainFormFixture::stored(u"TargetPath"_s), w.TargetFolderList->path());
    QVERIFY(QFileInfo(w.TargetFolderList->path()).isDir());
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
    QCOMPARE(f.platform->messages().size(), 1);
    QCOMPARE(f.platform->messages().first().title, swedish ? u"Sökvägs fel"_s : u"Path Error"_s);
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
    f.store(u"Swedish"_s, u"1"_s);
    f.platform->answer(Platform::Answer::Ok);
    MainForm& w = f.start();
    QFile::remove(dataFolder);

    // In the stored language; the system's reason follows the path; the program runs on.
    const QStringList shown = messageTexts(*f.platform);
    const QString head = u"Error|Ordrane kan inte skapa sin datafolder:  "_s + dataFolder + u'\n';
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(head) && shown[0].endsWith(u"|Ok|Exclamation"_s) &&
                 shown[0].size() > head.size() + 16,
             qPrintable(shown[0]));
    QCOMPARE(w.SourceFolderList->path(), f.system + u'/');
}

QTEST_MAIN(TestMainFormStartup)
#include "tst_mainformstartup.moc"
