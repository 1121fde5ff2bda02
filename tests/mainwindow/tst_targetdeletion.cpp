#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "copy/ActionForm.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Target drive T, removable or fixed, opened at folder (relative to the temporary tree).
MainForm& start(MainFormFixture& f, bool removable, const QString& folder,
                const QString& label = {})
{
    f.addDrive(u"T"_s, removable, label);
    f.store(u"TargetPath"_s, f.dir(folder));
    MainForm& w = f.start();
    w.show();
    return w;
}

// Everything below folder, relative to it: folders end in "/", links in "@"; links are not
// followed.
QStringList treeOf(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const QString relative = QDir(folder).relativeFilePath(info.filePath());
        entries.append(info.isSymLink() ? relative + u'@'
                                        : (info.isDir() ? relative + u'/' : relative));
    }
    entries.sort();
    return entries;
}

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

QString removeFoldersQuestion(const QString& folder, bool swedish)
{
    return swedish ? u"Ta bort foldrar|Du har valt att permanent radera alla filer och foldrar "
                     u"från \n"_s +
                         folder +
                         u".\n\nVälj Ja om du även vill ta bort denna folder eller\nNej för att "
                         u"radera endast dess innehåll.|YesNoCancel|Question"_s
                   : u"Remove folders|You have chosen to permanently delete all files and "
                     u"folders from\n"_s +
                         folder +
                         u".\n\nSelect Yes if you also want to remove this folder or\nNo to "
                         u"remove it's content only.|YesNoCancel|Question"_s;
}

QString writeProtected(bool swedish)
{
    return swedish ? u"Ta bort foldrar|Minst en fil eller folder är skrivskyddad.|Ok|Exclamation"_s
                   : u"Remove folders|At least one file or folder is write "
                     u"protected.|Ok|Exclamation"_s;
}

// What the progress window shows each time the deletion lets events through.
class ProgressWatch {
public:
    ProgressWatch(MainForm& w, const QString& root)
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this, &w, root] {
            const auto* progress = w.findChild<ActionForm*>();
            if (!progress)
                return;
            caption = progress->Label2->text();
            cancelShown = cancelShown || !progress->Button_CancelCopy->isHidden();
            windowIdle = windowIdle || w.centralWidget()->isEnabled();
            const QCursor* pointer = QApplication::overrideCursor();
            busyPointer = pointer && pointer->shape() == Qt::WaitCursor;
            const QString folder = progress->Label1->text();
            if (folder.startsWith(root) && (folders.isEmpty() || folders.last() != folder))
                folders.append(folder);
        });
        m_timer.start(0);
    }

    QStringList folders;
    QString caption;
    bool cancelShown = false;
    bool windowIdle = false;
    bool busyPointer = false;

private:
    QTimer m_timer;
};

// The window is back to its idle state after a deletion.
void verifyIdle(MainForm& w)
{
    QVERIFY(!w.findChild<ActionForm*>());
    QVERIFY(w.centralWidget()->isEnabled());
    QVERIFY(!w.CopyRunning);
    QVERIFY(!QApplication::overrideCursor());
}

} // namespace

class TestTargetDeletion : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void clearing_data();
    void clearing();
    void writeProtectedContentStops_data();
    void writeProtectedContentStops();
    void removeTargetFolder_data();
    void removeTargetFolder();
    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void neverLeavesTheTargetDrive_data();
    void neverLeavesTheTargetDrive();
    void fixedDriveIsNeverDeletedFrom();
    void lostDriveDeletesNothing_data();
    void lostDriveDeletesNothing();
};

void TestTargetDeletion::clearing_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<A>("answer"); // Ok: Clear Disk on the root
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<bool>("looseFiles"); // in T/Albums
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("shown"); // folders the progress window named

    const QStringList rest{u"Other/"_s, u"Other/3.mp3"_s, u"x.txt"_s, u"y.mp3"_s};
    QTest::newRow("Clear Disk") << u"T"_s << A::Ok << false << true << QStringList() << u"T/"_s
                                << u"0"_s << QStringList{u"Albums"_s, u"Other"_s};
    QTest::newRow("Radera disk") << u"T"_s << A::Ok << true << true << QStringList() << u"T/"_s
                                 << u"0"_s << QStringList{u"Albums"_s, u"Other"_s};
    QTest::newRow("No: content only")
        << u"T/Albums"_s << A::No << false << true << QStringList{u"Albums/"_s} + rest
        << u"T/Albums"_s << u"0"_s << QStringList{u"Albums/A"_s, u"Albums/B"_s};
    QTest::newRow("Nej, without loose files")
        << u"T/Albums"_s << A::No << true << false << QStringList{u"Albums/"_s} + rest
        << u"T/Albums"_s << u"0"_s << QStringList{u"Albums/A"_s, u"Albums/B"_s};
    QTest::newRow("Ja: the folder itself")
        << u"T/Albums"_s << A::Yes << true << true << rest << u"T/"_s << u"2"_s << QStringList();
}

void TestTargetDeletion::clearing()
{
    QFETCH(QString, open);
    QFETCH(A, answer);
    QFETCH(bool, swedish);
    QFETCH(bool, looseFiles);
    QFETCH(QStringList, left);
    QFETCH(QString, pane);
    QFETCH(QString, count);
    QFETCH(QStringList, shown);

    MainFormFixture f;
    f.dir.create({u"T/Albums/A/1.mp3"_s, u"T/Albums/B/Sub/2.mp3"_s, u"T/Other/3.mp3"_s,
                  u"T/x.txt"_s, u"T/y.mp3"_s});
    if (looseFiles)
        f.dir.create({u"T/Albums/loose.mp3"_s, u"T/Albums/cover.jpg"_s});
    const bool wholeDisk = answer == A::Ok;
    MainForm& w = start(f, true, open, wholeDisk ? u"MUSIC"_s : QString());
    f.m->Swedish = swedish;

    f.platform->answer(answer);
    ProgressWatch watch(w, f.dir(u"T"_s));
    (wholeDisk ? w.ClearTargetDrive : w.ClearTargetFolders)->click();

    const QString drive = f.dir(u"T"_s) + u"  [MUSIC]"_s;
    QString question = removeFoldersQuestion(f.dir(open), swedish);
    if (wholeDisk)
        question = swedish ? u"Radera disk|Du har valt att permanent radera alla filer och "
                             u"foldrar på\n"_s +
                                 drive + u"\n\nVälj OK för att fortsätta !|OkCancel|Question"_s
                           : u"Clear Disk|You have chosen to permanently delete all files "
                             u"and folders from\n"_s +
                                 drive + u"\n\nSelect OK to continue !|OkCancel|Question"_s;
    QCOMPARE(messageTexts(*f.platform), QStringList{question});
    QCOMPARE(treeOf(f.dir(u"T"_s)), left);
    QCOMPARE(w.TargetFolderList->path(),
             pane.endsWith(u'/') ? f.dir(pane.chopped(1)) + u'/' : f.dir(pane));
    QCOMPARE(items(w.TargetList),
             answer == A::Yes ? QStringList{f.dir(u"T/Other"_s)} : QStringList());
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), count);
    // Back at the root of a drive without label, Clear Disk is not offered at once.
    QVERIFY(!w.ClearTargetDrive->isEnabled());
    QVERIFY(!w.ClearTargetFolders->isEnabled());
    QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.TargetFolderList));

    QStringList shownPaths;
    for (const QString& name : std::as_const(shown))
        shownPaths.append(f.dir(u"T/"_s + name));
    QCOMPARE(watch.folders, shownPaths);
    if (!shown.isEmpty())
        QCOMPARE(watch.caption, swedish ? u"Nu Raderas:"_s : u"Now Deleting:"_s);
    QVERIFY(!watch.cancelShown);
    QVERIFY(!watch.windowIdle);
    QVERIFY(watch.busyPointer || shown.isEmpty());
    verifyIdle(w);
}

void TestTargetDeletion::writeProtectedContentStops_data()
{
    QTest::addColumn<A>("answer");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("readOnly"); // in T/Albums
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QStringList>("shown"); // folders the progress window named

    // What came before the read-only file is gone; it and everything after it stay.
    const QStringList fromB{u"B/"_s, u"B/2.mp3"_s, u"C/"_s, u"C/3.mp3"_s, u"loose.mp3"_s};
    QTest::newRow("in a subfolder, content only, Swedish")
        << A::No << true << u"B/2.mp3"_s << fromB << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("in a subfolder, the folder itself")
        << A::Yes << false << u"B/2.mp3"_s << fromB << QStringList();
    // The subfolders go first, the loose files after them.
    QTest::newRow("loose file, content only")
        << A::No << false << u"loose.mp3"_s << QStringList{u"loose.mp3"_s}
        << QStringList{u"A"_s, u"B"_s, u"C"_s};
}

void TestTargetDeletion::writeProtectedContentStops()
{
    QFETCH(A, answer);
    QFETCH(bool, swedish);
    QFETCH(QString, readOnly);
    QFETCH(QStringList, left);
    QFETCH(QStringList, shown);

    MainFormFixture f;
    f.dir.create({u"T/Albums/A/1.mp3"_s, u"T/Albums/B/1.mp3"_s, u"T/Albums/B/2.mp3"_s,
                  u"T/Albums/C/3.mp3"_s, u"T/Albums/loose.mp3"_s});
    QVERIFY(QFile::setPermissions(f.dir(u"T/Albums/"_s + readOnly),
                                  QFile::ReadOwner | QFile::ReadGroup));
    MainForm& w = start(f, true, u"T/Albums"_s);
    f.m->Swedish = swedish;
    const QStringList listed = items(w.TargetList);

    f.platform->answer(answer);
    f.platform->answer(A::Ok);
    ProgressWatch watch(w, f.dir(u"T"_s));
    w.ClearTargetFolders->click();

    QCOMPARE(messageTexts(*f.platform),
             (QStringList{removeFoldersQuestion(f.dir(u"T/Albums"_s), swedish),
                          writeProtected(swedish)}));
    QCOMPARE(treeOf(f.dir(u"T/Albums"_s)), left);
    // The lists show the state before the deletion until Refresh.
    QCOMPARE(w.TargetFolderList->path(), f.dir(u"T/Albums"_s));
    QCOMPARE(items(w.TargetList), listed);
    QStringList shownPaths;
    for (const QString& name : std::as_const(shown))
        shownPaths.append(f.dir(u"T/Albums/"_s + name));
    QCOMPARE(watch.folders, shownPaths);
    verifyIdle(w);
}

void TestTargetDeletion::removeTargetFolder_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("deleteKey");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<int>("shownRow");

    QTest::newRow("middle of three")
        << QStringList{u"A"_s, u"B"_s, u"C"_s} << 1 << false << false << 1;
    QTest::newRow("last of three, Delete key")
        << QStringList{u"A"_s, u"B"_s, u"C"_s} << 2 << true << false << 1;
    QTest::newRow("the only one, Swedish") << QStringList{u"A"_s} << 0 << false << true << -1;
}

void TestTargetDeletion::removeTargetFolder()
{
    QFETCH(QStringList, folders);
    QFETCH(int, selected);
    QFETCH(bool, deleteKey);
    QFETCH(bool, swedish);
    QFETCH(int, shownRow);

    MainFormFixture f;
    for (const QString& name : std::as_const(folders))
        f.dir.create({u"T/Albums/"_s + name + u"/Sub/1.mp3"_s});
    f.dir.create({u"T/Albums/loose.mp3"_s});
    MainForm& w = start(f, true, u"T/Albums"_s);
    f.m->Swedish = swedish;
    w.TargetList->setCurrentRow(selected);
    QVERIFY(w.RemoveTargetFolder->isEnabled());

    const QString path = f.dir(u"T/Albums/"_s + folders[selected]);
    f.platform->answer(A::Yes);
    if (deleteKey)
        QTest::keyClick(w.TargetList, Qt::Key_Delete);
    else
        w.RemoveTargetFolder->click();

    QCOMPARE(messageTexts(*f.platform),
             QStringList{swedish
                             ? u"Radera folder|Är du säker på att du vill permant radera \n"_s +
                                   path + u" ?|YesNo|Question"_s
                             : u"Delete folder|Are you sure you want to permanently delete \n"_s +
                                   path + u" ?|YesNo|Question"_s});
    QVERIFY(!QFileInfo::exists(path));
    QVERIFY(QFileInfo::exists(f.dir(u"T/Albums/loose.mp3"_s)));
    folders.removeAt(selected);
    QStringList remaining;
    for (const QString& name : std::as_const(folders))
        remaining.append(f.dir(u"T/Albums/"_s + name));
    QCOMPARE(items(w.TargetList), remaining);
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), QString::number(1 + remaining.size()));

    // Nothing is selected afterwards; the list stays where the folder stood.
    QVERIFY(w.TargetList->selectedItems().isEmpty());
    QVERIFY(!w.RemoveTargetFolder->isEnabled());
    QCOMPARE(w.TargetList->currentRow(), shownRow);
    QCOMPARE(w.ClearTargetFolders->isEnabled(), !remaining.isEmpty());
    QCOMPARE(w.focusWidget(), remaining.isEmpty() ? static_cast<QWidget*>(w.TargetFolderList)
                                                  : static_cast<QWidget*>(w.TargetList));
    verifyIdle(w);
}

void TestTargetDeletion::cancelChangesNothing_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("button");
    QTest::addColumn<A>("answer");

    QTest::newRow("Clear Disk") << u"T"_s << u"ClearTargetDrive"_s << A::Cancel;
    QTest::newRow("Remove folders") << u"T/Albums"_s << u"ClearTargetFolders"_s << A::Cancel;
    QTest::newRow("Delete folder") << u"T/Albums"_s << u"RemoveTargetFolder"_s << A::No;
}

void TestTargetDeletion::cancelChangesNothing()
{
    QFETCH(QString, folder);
    QFETCH(QString, button);
    QFETCH(A, answer);

    MainFormFixture f;
    f.dir.create({u"T/Albums/A/1.mp3"_s, u"T/Albums/B/2.mp3"_s, u"T/Albums/x.txt"_s, u"T/y.mp3"_s});
    MainForm& w = start(f, true, folder);
    w.TargetList->setCurrentRow(0);
    const QStringList tree = treeOf(f.dir(u"T"_s));
    const QStringList listed = items(w.TargetList);

    f.platform->answer(answer);
    w.findChild<QPushButton*>(button)->click();

    QCOMPARE(f.platform->messages().size(), 1);
    QCOMPARE(treeOf(f.dir(u"T"_s)), tree);
    QCOMPARE(items(w.TargetList), listed);
    if (button == u"ClearTargetDrive"_s)
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.TargetList));
    verifyIdle(w);
}

void TestTargetDeletion::neverLeavesTheTargetDrive_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("button");
    QTest::addColumn<A>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<bool>("stopped"); // as on write-protected content

    // Links lead to Elsewhere from T/Way, T/Albums and T/Albums/A; T/Inner is another drive.
    const QStringList albums{u"Albums/"_s,          u"Albums/A/"_s,     u"Albums/A/1.mp3"_s,
                             u"Albums/A/folder@"_s, u"Albums/B/"_s,     u"Albums/B/2.mp3"_s,
                             u"Albums/file.mp3@"_s, u"Albums/folder@"_s};
    const QStringList inner{u"Inner/"_s, u"Inner/keep.mp3"_s};
    QTest::newRow("content only") << u"T/Albums"_s << u"ClearTargetFolders"_s << A::No
                                  << QStringList{u"Albums/"_s} + inner + QStringList{u"Way@"_s}
                                  << false;
    QTest::newRow("one folder") << u"T/Albums"_s << u"RemoveTargetFolder"_s << A::Yes
                                << albums.first(1) + albums.mid(4) + inner + QStringList{u"Way@"_s}
                                << false;
    QTest::newRow("through a link, content only")
        << u"T/Way"_s << u"ClearTargetFolders"_s << A::No << albums + inner + QStringList{u"Way@"_s}
        << true;
    QTest::newRow("through a link, the folder itself")
        << u"T/Way"_s << u"ClearTargetFolders"_s << A::Yes << albums + inner << false;
    QTest::newRow("another drive inside")
        << u"T"_s << u"ClearTargetDrive"_s << A::Ok << inner + QStringList{u"Way@"_s} << true;
}

void TestTargetDeletion::neverLeavesTheTargetDrive()
{
    QFETCH(QString, open);
    QFETCH(QString, button);
    QFETCH(A, answer);
    QFETCH(QStringList, left);
    QFETCH(bool, stopped);

    MainFormFixture f;
    f.dir.create({u"Elsewhere/X/1.mp3"_s, u"Elsewhere/f.mp3"_s, u"T/Albums/A/1.mp3"_s,
                  u"T/Albums/B/2.mp3"_s, u"T/Inner/keep.mp3"_s});
    const QString elsewhere = f.dir(u"Elsewhere"_s);
    QVERIFY(QFile::link(elsewhere, f.dir(u"T/Way"_s)));
    QVERIFY(QFile::link(elsewhere, f.dir(u"T/Albums/A/folder"_s)));
    QVERIFY(QFile::link(elsewhere, f.dir(u"T/Albums/folder"_s)));
    QVERIFY(QFile::link(elsewhere + u"/f.mp3"_s, f.dir(u"T/Albums/file.mp3"_s)));
    f.drives->add(f.dir(u"T/Inner"_s), false);
    MainForm& w = start(f, true, u"T"_s);
    w.TargetFolderList->setPath(f.dir(open));
    w.TargetList->setCurrentRow(0);

    f.platform->answer(answer);
    if (stopped)
        f.platform->answer(A::Ok);
    w.findChild<QPushButton*>(button)->click();

    QCOMPARE(treeOf(f.dir(u"T"_s)), left);
    QCOMPARE(treeOf(elsewhere), (QStringList{u"X/"_s, u"X/1.mp3"_s, u"f.mp3"_s}));
    QCOMPARE(messageTexts(*f.platform).size(), stopped ? 2 : 1);
    if (stopped)
        QCOMPARE(messageTexts(*f.platform).last(), writeProtected(false));
    verifyIdle(w);
}

void TestTargetDeletion::fixedDriveIsNeverDeletedFrom()
{
    MainFormFixture f;
    f.dir.create({u"T/A/1.mp3"_s, u"T/Albums/B/2.mp3"_s, u"T/Albums/C/3.mp3"_s});
    MainForm& w = start(f, false, u"T/Albums"_s);
    const QStringList tree = treeOf(f.dir(u"T"_s));
    w.TargetList->setCurrentRow(1);
    QTest::keyClick(w.TargetList, Qt::Key_Delete);

    // Whatever calls the handlers: nothing is asked, nothing deleted.
    w.RemoveTargetFolder_Click();
    w.ClearTargetFolders_Click();
    w.ClearTargetDrive_Click();
    w.ClearWholeDrive = true;
    w.ClearTargetFolders_Click();
    QVERIFY(!w.ClearWholeDrive);
    QVERIFY(!w.RemoveTargetFolder->isEnabled());
    QVERIFY(!w.ClearTargetFolders->isEnabled());
    QVERIFY(!w.ClearTargetDrive->isEnabled());
    QVERIFY(f.platform->messages().isEmpty());
    QCOMPARE(treeOf(f.dir(u"T"_s)), tree);
}

void TestTargetDeletion::lostDriveDeletesNothing_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("unmounted");

    QTest::newRow("Clear Disk, unmounted") << u"T"_s << u"ClearTargetDrive"_s << true;
    QTest::newRow("Remove folders, medium pulled")
        << u"T/Albums"_s << u"ClearTargetFolders"_s << false;
    QTest::newRow("Delete folder, unmounted") << u"T/Albums"_s << u"RemoveTargetFolder"_s << true;
}

void TestTargetDeletion::lostDriveDeletesNothing()
{
    QFETCH(QString, folder);
    QFETCH(QString, button);
    QFETCH(bool, unmounted);

    MainFormFixture f;
    f.dir.create({u"T/Albums/A/1.mp3"_s, u"T/Albums/B/2.mp3"_s, u"T/y.mp3"_s});
    MainForm& w = start(f, true, folder);
    w.TargetList->setCurrentRow(0);
    const QString drive = f.dir(u"T"_s);
    const QStringList tree = treeOf(drive);
    if (unmounted)
        f.drives->remove(drive);
    else
        f.drives->setReady(drive, false);

    QStringList expected;
    if (button == u"RemoveTargetFolder"_s) {
        // The question comes first; the failed deletion is reported, then the lost drive.
        f.platform->answer(A::Yes);
        f.platform->answer(A::Ok);
        expected.append(u"Error|"_s + f.dir(u"T/Albums/A"_s) + u"  doesn't exist.|Ok|None"_s);
    }
    f.platform->answer(A::Ok);
    expected.append(u"Drive Error|Drive "_s + drive + u" not ready.|Ok|Critical"_s);
    w.findChild<QPushButton*>(button)->click();

    QCOMPARE(messageTexts(*f.platform).mid(button == u"RemoveTargetFolder"_s ? 1 : 0), expected);
    QCOMPARE(treeOf(drive), tree);
    QCOMPARE(w.TargetDriveList->mountPoint(), f.system);
    QCOMPARE(w.TargetFolderList->path(), f.system + u'/');
    verifyIdle(w);
}

QTEST_MAIN(TestTargetDeletion)
#include "tst_targetdeletion.moc"
