#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

class TestMainFormStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void fallBacks_data();
    void fallBacks();
    void unwritableDataFolderIsReported();
};

void TestMainFormStartup::fallBacks_data()
{
    QTest::addColumn<QString>("key");  // stored as E/Music, or E/Music/Gone with "folder gone"
    QTest::addColumn<QString>("loss"); // "folder gone" or "drive gone"
    QTest::addColumn<QString>("pane"); // what the pane opens, relative to the temporary tree
    QTest::addColumn<bool>("reported");

    QTest::newRow("SourcePath, folder gone")
        << u"SourcePath"_s << u"folder gone"_s << u"E/Music"_s << false;
    QTest::newRow("TargetPath, drive gone")
        << u"TargetPath"_s << u"drive gone"_s << u"C/"_s << false;
    // Only a default folder gone from a drive that is there is reported.
    QTest::newRow("DefaultSourcePath, folder gone")
        << u"DefaultSourcePath"_s << u"folder gone"_s << u"E/Music"_s << true;
    // On a first run the target is the removable drive.
    QTest::newRow("nothing stored") << u"TargetPath"_s << u"nothing"_s << u"E/"_s << false;
}

// A start never leaves a pane blank, and closing writes the folders the panes show.
void TestMainFormStartup::fallBacks()
{
    QFETCH(QString, key);
    QFETCH(QString, loss);
    QFETCH(QString, pane);
    QFETCH(bool, reported);

    MainFormFixture f;
    const QString stick = f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/"_s});
    if (loss != u"nothing"_s)
        f.store(key, f.dir(loss == u"folder gone"_s ? u"E/Music/Gone/CD 1"_s : u"E/Music"_s));
    if (loss == u"drive gone"_s)
        f.drives->remove(stick);
    MainForm& w = f.start();
    const QString expected = pane.endsWith(u'/') ? f.dir(pane.chopped(1)) + u'/' : f.dir(pane);
    QCOMPARE((key == u"TargetPath"_s ? w.TargetFolderList : w.SourceFolderList)->path(), expected);
    QCOMPARE(f.m->TargetDrive->mountPoint(), w.TargetDriveList->mountPoint());

    // Reported once shown, and only the first time.
    f.platform->answer(Platform::Answer::Ok);
    w.show();
    QTRY_COMPARE(f.platform->messages().size(), reported ? 1 : 0);
    w.hide();
    w.show();
    w.Form_Activate();
    QCOMPARE(f.platform->messages().size(), reported ? 1 : 0);

    QVERIFY(w.close());
    QCOMPARE(MainFormFixture::stored(u"SourcePath"_s), w.SourceFolderList->path());
    QCOMPARE(MainFormFixture::stored(u"TargetPath"_s), w.TargetFolderList->path());
    QVERIFY(QFileInfo(w.SourceFolderList->path()).isDir());
    QVERIFY(QFileInfo(w.TargetFolderList->path()).isDir());
}

// In the stored language, with the path and the system's reason; the program runs on.
void TestMainFormStartup::unwritableDataFolderIsReported()
{
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(dataFolder).removeRecursively();
    QDir().mkpath(QFileInfo(dataFolder).path());
    QFile blocker(dataFolder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    MainFormFixture f;
    f.store(u"Swedish"_s, u"1"_s);
    f.platform->answer(Platform::Answer::Ok);
    MainForm& w = f.start();
    QFile::remove(dataFolder);
    const QStringList shown = messageTexts(*f.platform);
    const QString head = u"Error|Ordrane kan inte skapa sin datafolder:  "_s + dataFolder + u'\n';
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(head) && shown[0].size() > head.size() + 16, qPrintable(shown[0]));
    QCOMPARE(w.SourceFolderList->path(), f.system + u'/');
}

QTEST_MAIN(TestMainFormStartup)
#include "tst_mainformstartup.moc"
