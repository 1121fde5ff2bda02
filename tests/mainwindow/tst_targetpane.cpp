#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Target drive T, removable or fixed, opened at folder (relative to the temporary tree).
MainForm& start(MainFormFixture& f, bool removable, const QString& folder)
{
    f.addDrive(u"T"_s, removable);
    f.store(u"TargetPath"_s, f.dir(folder));
    MainForm& w = f.start();
    w.show();
    return w;
}

} // namespace

class TestTargetPane : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void buttonsAndCount_data();
    void buttonsAndCount();
    void fixedDriveCountsWhenAsked_data();
    void fixedDriveCountsWhenAsked();
};

void TestTargetPane::buttonsAndCount_data()
{
    QTest::addColumn<bool>("removable");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("clearFolders");
    QTest::addColumn<bool>("clearDrive");
    QTest::addColumn<QString>("count");

    QTest::newRow("removable root") << true << u"T"_s << false << true << u"3"_s;
    QTest::newRow("removable folder") << true << u"T/Music"_s << true << false << u"2"_s;
    QTest::newRow("removable, no subfolders") << true << u"T/Music/A"_s << false << false << u"2"_s;
    QTest::newRow("fixed folder") << false << u"T/Music"_s << false << false << u"Click Refresh"_s;
}

void TestTargetPane::buttonsAndCount()
{
    QFETCH(bool, removable);
    QFETCH(QString, folder);
    QFETCH(bool, clearFolders);
    QFETCH(bool, clearDrive);
    QFETCH(QString, count);

    MainFormFixture f;
    f.dir.create({u"T/top.mp3"_s, u"T/Music/A/1.mp3"_s, u"T/Music/A/2.mp3"_s});
    MainForm& w = start(f, removable, u"T"_s);
    w.TargetFolderList->setPath(f.dir(folder));
    QCOMPARE(w.ClearTargetFolders->isEnabled(), clearFolders);
    QCOMPARE(w.ClearTargetDrive->isEnabled(), clearDrive);
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), count);
    QCOMPARE(w.TargetUpOneLevel->isEnabled(), folder != u"T"_s);

    // Deleting a listed folder is offered on a removable drive only.
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (w.TargetList->count() > 0)
        QTest::mouseClick(w.TargetList->viewport(), Qt::LeftButton, {},
                          w.TargetList->visualItemRect(w.TargetList->item(0)).center());
    QCOMPARE(w.RemoveTargetFolder->isEnabled(), removable && w.TargetList->count() > 0);
}

void TestTargetPane::fixedDriveCountsWhenAsked_data()
{
    QTest::addColumn<Platform::Answer>("answer");
    QTest::newRow("Yes") << Platform::Answer::Yes;
    QTest::newRow("No") << Platform::Answer::No;
}

void TestTargetPane::fixedDriveCountsWhenAsked()
{
    QFETCH(Platform::Answer, answer);

    MainFormFixture f;
    f.dir.create({u"T/Music/A/1.mp3"_s, u"T/Music/B/2.mp3"_s});
    MainForm& w = start(f, false, u"T"_s);
    w.TargetFolderList->setListIndex(0);
    QTest::keyClick(w.TargetFolderList, Qt::Key_Right);
    QCOMPARE(w.TargetFolderList->path(), f.dir(u"T/Music"_s));
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"Click Refresh"_s);

    f.platform->answer(answer);
    w.RefreshTargetLists->click();
    QCOMPARE(messageTexts(*f.platform),
             QStringList{u"Refresh & Counting Files|It may be a large number of files to count "
                         u"on a non removable disk and it may take a while.\nDo you wish to "
                         u"continue ?|YesNo|Question"_s});
    const bool yes = answer == Platform::Answer::Yes;
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), yes ? u"2"_s : u"Click Refresh"_s);
    QVERIFY(!w.CountingConfirmed);

    // One confirmation buys one count.
    w.TargetFolderList->setListIndex(0);
    QTest::keyClick(w.TargetFolderList, Qt::Key_Return);
    QCOMPARE(w.TargetFolderList->path(), f.dir(u"T/Music/A"_s));
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"Click Refresh"_s);
}

QTEST_MAIN(TestTargetPane)
#include "tst_targetpane.moc"
