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

// Everything below folder, relative to it and sorted, in one line: folders end in "/", links
// in "@"; links are not followed.
QString treeOf(const QString& folder)
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
    return entries.join(u' ');
}

QStringList items(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// The titles of the messages shown so far, joined by "; ".
QString titles(const ScriptedPlatform& platform)
{
    QStringList shown;
    for (const ScriptedPlatform::Message& m : platform.messages())
        shown.append(m.title);
    return shown.join(u"; "_s);
}

// What the progress window shows each time the deletion lets events through; "odd" notes a
// Cancel button, a main window that takes input, or a pointer that is not the busy one.
struct ProgressWatch {
    ProgressWatch(MainForm& w, const QString& root)
    {
        QObject::connect(&timer, &QTimer::timeout, &timer, [this, &w, root] {
            const auto* progress = w.findChild<ActionForm*>();
            if (!progress)
                return;
            caption = progress->Label2->text();
            const QCursor* pointer = QApplication::overrideCursor();
            odd = odd || !progress->Button_CancelCopy->isHidden() ||
                  w.centralWidget()->isEnabled() || !pointer || pointer->shape() != Qt::WaitCursor;
            const QString folder = progress->Label1->text().mid(root.size() + 1);
            if (progress->Label1->text().startsWith(root) &&
                (folders.isEmpty() || folders.last() != folder))
                folders.append(folder);
        });
        timer.start(0);
    }

    QStringList folders; // relative to root
    QString caption;
    bool odd = false;
    QTimer timer;
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

class TestTargetPane : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void clearing_data();
    void clearing();
    void removeTargetFolder_data();
    void removeTargetFolder();
    void safety_data();
    void safety();
};

void TestTargetPane::clearing_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<A>("answer"); // Ok: Clear Disk on the root
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("readOnly"); // a file made read-only, if any
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("shown"); // folders the progress window named

    const QString rest = u"Other/ Other/3.mp3 x.txt y.mp3"_s;
    const QStringList all{u"Albums/A"_s, u"Albums/B"_s, u"Albums/C"_s};
    QTest::newRow("Clear Disk") << u"T"_s << A::Ok << false << QString() << QString() << u"T/"_s
                                << u"0"_s << QStringList{u"Albums"_s, u"Other"_s};
    QTest::newRow("No: content only") << u"T/Albums"_s << A::No << false << QString()
                                      << u"Albums/ "_s + rest << u"T/Albums"_s << u"0"_s << all;
    QTest::newRow("Ja: the folder itself") << u"T/Albums"_s << A::Yes << true << QString() << rest
                                           << u"T/"_s << u"2"_s << QStringList();

    // On a read-only file, what came before it is gone; it and everything after it stay, and
    // the lists show the state before the deletion until Refresh.
    const QString fromB = u"Albums/ Albums/B/ Albums/B/2.mp3 Albums/C/ Albums/C/3.mp3 "
                          u"Albums/loose.mp3 "_s +
                          rest;
    QTest::newRow("read-only in a subfolder, content only, Swedish")
        << u"T/Albums"_s << A::No << true << u"Albums/B/2.mp3"_s << fromB << QString() << QString()
        << all.first(2);
    QTest::newRow("read-only in a subfolder, the folder itself")
        << u"T/Albums"_s << A::Yes << false << u"Albums/B/2.mp3"_s << fromB << QString()
        << QString() << QStringList();
    // The subfolders go first, the loose files after them.
    QTest::newRow("read-only loose file, content only")
        << u"T/Albums"_s << A::No << false << u"Albums/loose.mp3"_s
        << u"Albums/ Albums/loose.mp3 "_s + rest << QString() << QString() << all;
}

void TestTargetPane::clearing()
{
    QFETCH(QString, open);
    QFETCH(A, answer);
    QFETCH(bool, swedish);
    QFETCH(QString, readOnly);
    QFETCH(QString, left);
    QFETCH(QString, pane);
    QFETCH(QString, count);
    QFETCH(QStringList, shown);

    MainFormFixture f;
    f.dir.create({u"T/Albums/A/Sub/1.mp3"_s, u"T/Albums/B/1.mp3"_s, u"T/Albums/B/2.mp3"_s,
                  u"T/Albums/C/3.mp3"_s, u"T/Albums/loose.mp3"_s, u"T/Other/3.mp3"_s, u"T/x.txt"_s,
                  u"T/y.mp3"_s});
    if (!readOnly.isEmpty())
        QVERIFY(
            QFile::setPermissions(f.dir(u"T/"_s + readOnly), QFile::ReadOwner | QFile::ReadGroup));
    const bool wholeDisk = answer == A::Ok;
    MainForm& w = start(f, true, open, wholeDisk ? u"MUSIC"_s : QString());
    f.m->Swedish = swedish;
    const QStringList listed = items(w.TargetList);

    f.platform->answer(answer);
    f.platform->answer(A::Ok);
    ProgressWatch watch(w, f.dir(u"T"_s));
    (wholeDisk ? w.ClearTargetDrive : w.ClearTargetFolders)->click();

    const QString drive = f.dir(u"T"_s) + u"  [MUSIC]"_s;
    QStringList messages{
        swedish
            ? u"Ta bort foldrar|Du har valt att permanent radera alla filer och foldrar från \n"_s +
                  f.dir(open) +
                  u".\n\nVälj Ja om du även vill ta bort denna folder eller\nNej för att "
                  u"radera endast dess innehåll.|YesNoCancel|Question"_s
            : u"Remove folders|You have chosen to permanently delete all files and folders "
              u"from\n"_s +
                  f.dir(open) +
                  u".\n\nSelect Yes if you also want to remove this folder or\nNo to remove "
                  u"it's content only.|YesNoCancel|Question"_s};
    if (wholeDisk)
        messages = {u"Clear Disk|You have chosen to permanently delete all files and folders "
                    u"from\n"_s +
                    drive + u"\n\nSelect OK to continue !|OkCancel|Question"_s};
    if (!readOnly.isEmpty())
        messages.append(swedish ? u"Ta bort foldrar|Minst en fil eller folder är "
                                  u"skrivskyddad.|Ok|Exclamation"_s
                                : u"Remove folders|At least one file or folder is write "
                                  u"protected.|Ok|Exclamation"_s);
    QCOMPARE(messageTexts(*f.platform), messages);
    QCOMPARE(treeOf(f.dir(u"T"_s)), left);
    if (readOnly.isEmpty()) {
        QCOMPARE(w.TargetFolderList->path(),
                 pane.endsWith(u'/') ? f.dir(pane.chopped(1)) + u'/' : f.dir(pane));
        QCOMPARE(items(w.TargetList),
                 answer == A::Yes ? QStringList{f.dir(u"T/Other"_s)} : QStringList());
        QCOMPARE(w.Label_NumberOfFiles[1]->text(), count);
        // Back at the root of a drive without label, Clear Disk is not offered at once.
        QVERIFY(!w.ClearTargetDrive->isEnabled());
        QVERIFY(!w.ClearTargetFolders->isEnabled());
        QCOMPARE(w.focusWidget(), static_cast<QWidget*>(w.TargetFolderList));
    } else {
        QCOMPARE(w.TargetFolderList->path(), f.dir(open));
        QCOMPARE(items(w.TargetList), listed);
    }

    QCOMPARE(watch.folders, shown);
    QCOMPARE(watch.caption,
             shown.isEmpty() ? QString() : (swedish ? u"Nu Raderas:"_s : u"Now Deleting:"_s));
    QVERIFY(!watch.odd);
    verifyIdle(w);
}

void TestTargetPane::removeTargetFolder_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("selected");
    QTest::addColumn<bool>("deleteKey");
    QTest::addColumn<bool>("swedish");

    QTest::newRow("middle of three") << 3 << 1 << false << false;
    QTest::newRow("last of three, Delete key") << 3 << 2 << true << false;
    QTest::newRow("the only one, Swedish") << 1 << 0 << false << true;
}

void TestTargetPane::removeTargetFolder()
{
    QFETCH(int, count);
    QFETCH(int, selected);
    QFETCH(bool, deleteKey);
    QFETCH(bool, swedish);

    MainFormFixture f;
    QStringList folders;
    for (int i = 0; i < count; ++i)
        folders.append(QFileInfo(f.dir.file(u"T/Albums/%1/1.mp3"_s.arg(i))).path());
    f.dir.create({u"T/Albums/loose.mp3"_s});
    MainForm& w = start(f, true, u"T/Albums"_s);
    f.m->Swedish = swedish;
    w.TargetList->setCurrentRow(selected);

    const QString path = folders.takeAt(selected);
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
    QCOMPARE(items(w.TargetList), folders);
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), QString::number(1 + folders.size()));

    // Nothing is selected afterwards; the list stays where the folder stood.
    QVERIFY(w.TargetList->selectedItems().isEmpty());
    QVERIFY(!w.RemoveTargetFolder->isEnabled());
    QCOMPARE(w.TargetList->currentRow(), qMin(selected, count - 2));
    QCOMPARE(w.ClearTargetFolders->isEnabled(), !folders.isEmpty());
    QCOMPARE(w.focusWidget(), folders.isEmpty() ? static_cast<QWidget*>(w.TargetFolderList)
                                                : static_cast<QWidget*>(w.TargetList));
    verifyIdle(w);
}

enum class Loss { None, Unmounted, NotReady, FixedDrive };

void TestTargetPane::safety_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("button");
    QTest::addColumn<Loss>("loss");
    QTest::addColumn<A>("answer"); // to the question, when one is asked
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QString>("left"); // the tree of T afterwards; empty: as it was

    QTest::newRow("Clear Disk, Cancel") << u"T"_s << u"ClearTargetDrive"_s << Loss::None
                                        << A::Cancel << u"Clear Disk"_s << QString();
    QTest::newRow("Delete folder, No") << u"T/Albums"_s << u"RemoveTargetFolder"_s << Loss::None
                                       << A::No << u"Delete folder"_s << QString();
    // A lost drive is reported once and the pane goes to the system drive.
    QTest::newRow("Clear Disk, unmounted") << u"T"_s << u"ClearTargetDrive"_s << Loss::Unmounted
                                           << A::Ok << u"Drive Error"_s << QString();
    QTest::newRow("Remove folders, medium pulled")
        << u"T/Albums"_s << u"ClearTargetFolders"_s << Loss::NotReady << A::Ok << u"Drive Error"_s
        << QString();
    // The question comes first; the failed deletion is reported, then the lost drive.
    QTest::newRow("Delete folder, unmounted")
        << u"T/Albums"_s << u"RemoveTargetFolder"_s << Loss::Unmounted << A::Yes
        << u"Delete folder; Error; Drive Error"_s << QString();
    // A fixed drive is never deleted from, whatever calls the handlers.
    QTest::newRow("fixed drive") << u"T/Albums"_s << QString() << Loss::FixedDrive << A::Ok
                                 << QString() << QString();

    // Links lead to Elsewhere from T/Way, T/Albums and T/Albums/A; T/Inner is another drive.
    // Deleting never follows them; where the deletion would have to, it stops as on
    // write-protected content.
    const QString albumA = u"Albums/ Albums/A/ Albums/A/1.mp3 Albums/A/folder@ "_s;
    const QString albumsRest =
        u"Albums/B/ Albums/B/2.mp3 Albums/file.mp3@ Albums/folder@ Albums/x.txt "_s;
    const QString inner = u"Inner/ Inner/keep.mp3 "_s;
    QTest::newRow("links, content only")
        << u"T/Albums"_s << u"ClearTargetFolders"_s << Loss::None << A::No << u"Remove folders"_s
        << u"Albums/ "_s + inner + u"Way@ y.mp3"_s;
    QTest::newRow("links, one folder")
        << u"T/Albums"_s << u"RemoveTargetFolder"_s << Loss::None << A::Yes << u"Delete folder"_s
        << u"Albums/ "_s + albumsRest + inner + u"Way@ y.mp3"_s;
    QTest::newRow("through a link, content only")
        << u"T/Way"_s << u"ClearTargetFolders"_s << Loss::None << A::No
        << u"Remove folders; Remove folders"_s << QString();
    QTest::newRow("through a link, one folder")
        << u"T/Way"_s << u"RemoveTargetFolder"_s << Loss::None << A::Yes
        << u"Delete folder; Remove folders"_s << QString();
    QTest::newRow("through a link, the folder itself")
        << u"T/Way"_s << u"ClearTargetFolders"_s << Loss::None << A::Yes << u"Remove folders"_s
        << albumA + albumsRest + inner + u"y.mp3"_s;
    QTest::newRow("another drive inside")
        << u"T"_s << u"ClearTargetDrive"_s << Loss::None << A::Ok << u"Clear Disk; Remove folders"_s
        << inner + u"Way@ y.mp3"_s;
}

void TestTargetPane::safety()
{
    QFETCH(QString, folder);
    QFETCH(QString, button);
    QFETCH(Loss, loss);
    QFETCH(A, answer);
    QFETCH(QString, titles);
    QFETCH(QString, left);

    MainFormFixture f;
    f.dir.create({u"Elsewhere/X/1.mp3"_s, u"Elsewhere/f.mp3"_s, u"T/Albums/A/1.mp3"_s,
                  u"T/Albums/B/2.mp3"_s, u"T/Albums/x.txt"_s, u"T/Inner/keep.mp3"_s, u"T/y.mp3"_s});
    const QString elsewhere = f.dir(u"Elsewhere"_s);
    QVERIFY(QFile::link(elsewhere, f.dir(u"T/Way"_s)));
    QVERIFY(QFile::link(elsewhere, f.dir(u"T/Albums/A/folder"_s)));
    QVERIFY(QFile::link(elsewhere, f.dir(u"T/Albums/folder"_s)));
    QVERIFY(QFile::link(elsewhere + u"/f.mp3"_s, f.dir(u"T/Albums/file.mp3"_s)));
    f.drives->add(f.dir(u"T/Inner"_s), false);
    MainForm& w = start(f, loss != Loss::FixedDrive, u"T"_s);
    w.TargetFolderList->setPath(f.dir(folder));
    w.TargetList->setCurrentRow(0);
    const QString drive = f.dir(u"T"_s);
    const QString tree = treeOf(drive);
    const QStringList listed = items(w.TargetList);
    if (loss == Loss::Unmounted)
        f.drives->remove(drive);
    else if (loss == Loss::NotReady)
        f.drives->setReady(drive, false);

    f.platform->answer(answer);
    f.platform->answer(A::Ok);
    f.platform->answer(A::Ok);
    if (loss == Loss::FixedDrive) {
        QTest::keyClick(w.TargetList, Qt::Key_Delete);
        w.RemoveTargetFolder_Click();
        w.ClearTargetFolders_Click();
        w.ClearTargetDrive_Click();
        w.ClearWholeDrive = true;
        w.ClearTargetFolders_Click();
        QVERIFY(!w.ClearWholeDrive && !w.RemoveTargetFolder->isEnabled() &&
                !w.ClearTargetFolders->isEnabled() && !w.ClearTargetDrive->isEnabled());
    } else {
        w.findChild<QPushButton*>(button)->click();
    }

    QCOMPARE(::titles(*f.platform), titles);
    QCOMPARE(treeOf(drive), left.isEmpty() ? tree : left);
    QCOMPARE(treeOf(elsewhere), u"X/ X/1.mp3 f.mp3"_s);
    if (loss == Loss::Unmounted || loss == Loss::NotReady) {
        QCOMPARE(w.TargetDriveList->mountPoint(), f.system);
        QCOMPARE(w.TargetFolderList->path(), f.system + u'/');
    } else if (left.isEmpty()) {
        QCOMPARE(items(w.TargetList), listed);
    }
    verifyIdle(w);
}

QTEST_MAIN(TestTargetPane)
#include "tst_targetpane.moc"
