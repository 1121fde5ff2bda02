#include "support/MainWindowFixture.h"
#include "support/MessageText.h"

#include "mainwindow/TargetPane.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Source drive E at its root, target drive F with 3000 bytes free; album i of the sizes given is
// E/<i> with one mp3 file of that size.
MainWindow& start(MainWindowFixture& f, const QList<int>& albums)
{
    f.addDrive(u"E"_s, true);
    f.drives->setFreeSpace(f.addDrive(u"F"_s, true), 3000);
    for (int i = 0; i < albums.size(); ++i)
        f.dir.file(u"E/%1/01.mp3"_s.arg(i), QByteArray(albums[i], 'x'));
    f.store(u"SourcePath"_s, f.dir(u"E"_s));
    f.store(u"TargetPath"_s, f.dir(u"F"_s));
    MainWindow& w = f.start();
    w.show();
    return w;
}

void insert(MainWindow& w, const QString& folder)
{
    child<DirListBox>(w, u"SourceFolderList"_s)->setPath(folder);
    QTest::keyClick(child<DirListBox>(w, u"SourceFolderList"_s), Qt::Key_Insert);
}

// The Source List's entries by their album numbers, and the size text: "1 0| 1.50 kB".
QString listed(const MainWindowFixture& f, const MainWindow& w)
{
    return itemsOf(child<QListWidget>(w, u"SourceList"_s)).join(u' ').remove(f.dir(u"E/"_s)) +
           u'|' + child<QLabel>(w, u"TotalSize"_s)->text();
}

QPoint centreOf(const MainWindow& w, int row)
{
    return child<QListWidget>(w, u"SourceList"_s)
        ->visualItemRect(child<QListWidget>(w, u"SourceList"_s)->item(row))
        .center();
}

// Source drive E opened at E/Music, target drive T opened at T/Music, both removable.
MainWindow& openPanes(MainWindowFixture& f)
{
    f.addDrive(u"E"_s, true);
    f.addDrive(u"T"_s, true);
    f.dir.create({u"E/Music/Album/0.mp3"_s, u"E/Music/Album/CD1/1.mp3"_s, u"E/Music/Other/2.mp3"_s,
                  u"T/Music/A/Sub/1.mp3"_s, u"T/Music/B/"_s});
    f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
    f.store(u"TargetPath"_s, f.dir(u"T/Music"_s));
    MainWindow& w = f.start();
    w.show();
    return w;
}

// "E/Music; C/ top; list 1; Drive Error": the panes' folders, "top" where Up is off, the
// Source List's length and the messages' titles.
QString state(const MainWindowFixture& f, const MainWindow& w)
{
    const auto pane = [&f](const DirListBox* list, const QPushButton* up) -> QString {
        return list->path().mid(f.dir.path().size() + 1) +
               (up->isEnabled() ? QString() : u" top"_s);
    };
    QStringList parts{pane(child<DirListBox>(w, u"SourceFolderList"_s),
                           child<QPushButton>(w, u"SourceUpOneLevel"_s)),
                      pane(child<DirListBox>(w, u"TargetFolderList"_s),
                           child<QPushButton>(w, u"TargetUpOneLevel"_s)),
                      u"list "_s +
                          QString::number(child<QListWidget>(w, u"SourceList"_s)->count())};
    for (const ScriptedPlatform::Message& m : f.platform->messages())
        parts.append(m.title);
    return parts.join(u"; "_s);
}

} // namespace

// The main window's panes: start-up, keys and lost folders, drives, the Source List.
class TestPanes : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void fallBacks_data();
    void fallBacks();
    void unwritableDataFolderIsReported();
    void editing();
    void dropFolders();
    void keys_data();
    void keys();
    void nestedDrives();
    void liveDriveLists();
};

void TestPanes::fallBacks_data()
{
    QTest::addColumn<QString>("key");  // stored as E/Music, or E/Music/Gone with "folder gone"
    QTest::addColumn<QString>("loss"); // "folder gone" or "drive gone"
    QTest::addColumn<QString>("pane"); // what the pane opens, relative to the temporary tree
    QTest::addColumn<bool>("reported");
    // The target's mp3 count before the window is shown and after: a stick is counted once
    // the window is on screen.
    QTest::addColumn<QString>("count");

    QTest::newRow("SourcePath, folder gone")
        << u"SourcePath"_s << u"folder gone"_s << u"E/Music"_s << false << u"|1"_s;
    QTest::newRow("TargetPath, drive gone") << u"TargetPath"_s << u"drive gone"_s << u"C/"_s
                                            << false << u"Click Refresh|Click Refresh"_s;
    // Only a default folder gone from a drive that is there is reported.
    QTest::newRow("DefaultSourcePath, folder gone")
        << u"DefaultSourcePath"_s << u"folder gone"_s << u"E/Music"_s << true << u"|1"_s;
    // On a first run the target is the removable drive.
    QTest::newRow("nothing stored")
        << u"TargetPath"_s << u"nothing"_s << u"E/"_s << false << u"|1"_s;
    QTest::newRow("TargetPath on the stick")
        << u"TargetPath"_s << u"folder gone"_s << u"E/Music"_s << false << u"|1"_s;
}

// A start never leaves a pane blank, and closing writes the folders the panes show.
void TestPanes::fallBacks()
{
    QFETCH(QString, key);
    QFETCH(QString, loss);
    QFETCH(QString, pane);
    QFETCH(bool, reported);
    QFETCH(QString, count);

    MainWindowFixture f;
    const QString stick = f.addDrive(u"E"_s, true);
    f.dir.create({u"E/Music/Album/1.mp3"_s});
    if (loss != u"nothing"_s)
        f.store(key, f.dir(loss == u"folder gone"_s ? u"E/Music/Gone/CD 1"_s : u"E/Music"_s));
    if (loss == u"drive gone"_s)
        f.drives->remove(stick);
    MainWindow& w = f.start();
    const QString expected = pane.endsWith(u'/') ? f.dir(pane.chopped(1)) + u'/' : f.dir(pane);
    QCOMPARE((key == u"TargetPath"_s ? child<DirListBox>(w, u"TargetFolderList"_s)
                                     : child<DirListBox>(w, u"SourceFolderList"_s))
                 ->path(),
             expected);
    QCOMPARE(w.targetPane().drive()->mountPoint(),
             child<DriveListBox>(w, u"TargetDriveList"_s)->mountPoint());

    const auto counted = [&] {
        return child<QLabel>(w, u"Label_NumberOfFiles_1"_s)->text();
    };
    const QString before = counted();

    // Reported once shown, and only the first time.
    f.platform->answer(A::Ok);
    w.show();
    QTRY_COMPARE(f.platform->messages().size(), reported ? 1 : 0);
    QTRY_COMPARE(before + u'|' + counted(), count);
    w.hide();
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(f.platform->messages().size(), reported ? 1 : 0);

    QVERIFY(w.close());
    QCOMPARE(MainWindowFixture::stored(u"SourcePath"_s),
             child<DirListBox>(w, u"SourceFolderList"_s)->path());
    QCOMPARE(MainWindowFixture::stored(u"TargetPath"_s),
             child<DirListBox>(w, u"TargetFolderList"_s)->path());
}

// In the stored language, with the path and the system's reason; the program runs on.
void TestPanes::unwritableDataFolderIsReported()
{
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir(dataFolder).removeRecursively();
    QDir().mkpath(QFileInfo(dataFolder).path());
    QFile blocker(dataFolder);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    MainWindowFixture f;
    f.store(u"Swedish"_s, u"1"_s);
    f.platform->answer(A::Ok);
    MainWindow& w = f.start();
    QFile::remove(dataFolder);
    const QString shown = messageTexts(*f.platform).join(u'\n');
    const QString head = u"Error|Ordrane kan inte skapa sin datafolder:  "_s + dataFolder + u'\n';
    QVERIFY2(shown.startsWith(head) && shown.count(u'|') == 3 && shown.size() > head.size() + 16,
             qPrintable(shown));
    QCOMPARE(child<DirListBox>(w, u"SourceFolderList"_s)->path(), f.system + u'/');
}

// Sizes and free space follow the list; dragging an entry moves it; a folder or a target drive
// gone is said and the pane read anew.
void TestPanes::editing()
{
    MainWindowFixture f;
    MainWindow& w = start(f, {1000, 2000, 1500});
    for (int i = 0; i < 3; ++i)
        insert(w, f.dir(u"E/%1"_s.arg(i)));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto freeSpace = [&]() -> QString {
        const bool red =
            child<QLabel>(w, u"TargetFreeSpace"_s)->palette().color(QPalette::WindowText) ==
            QColor(255, 0, 0);
        return child<QLabel>(w, u"TargetFreeSpace"_s)->text() + (red ? u" red"_s : QString()) +
               (child<QPushButton>(w, u"CopyFolders"_s)->isEnabled() ? u" copy"_s : QString());
    };
    QCOMPARE(freeSpace(), u"-1.50 kB red"_s);

    QWidget* viewport = child<QListWidget>(w, u"SourceList"_s)->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, centreOf(w, 2));
    QTest::mouseMove(viewport, centreOf(w, 0));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, centreOf(w, 0));
    QCOMPARE(listed(f, w), u"2 0 1| 4.50 kB"_s);
    QCOMPARE(child<QListWidget>(w, u"SourceList"_s)->currentRow(), 0);
    QTest::keyClick(child<QListWidget>(w, u"SourceList"_s), Qt::Key_Delete);
    QCOMPARE(listed(f, w), u"0 1| 3.00 kB"_s);
    QCOMPARE(freeSpace(), u" copy"_s); // exactly full

    const QString gone = f.dir.mkdir(u"E/2/Gone"_s);
    child<DirListBox>(w, u"SourceFolderList"_s)->setPath(gone);
    QVERIFY(QDir(gone).removeRecursively());
    f.drives->setReady(f.dir(u"F"_s), false);
    f.platform->answer({A::Ok, A::Ok});
    QTest::keyClick(child<DirListBox>(w, u"SourceFolderList"_s), Qt::Key_Insert);
    insert(w, f.dir(u"E/2"_s));
    QCOMPARE(messageTexts(*f.platform),
             (QStringList{u"Error|"_s + gone + u"  doesn't exist.|Ok|None"_s,
                          u"Drive Error|Drive "_s + f.dir(u"F"_s) + u" not ready.|Ok|Critical"_s}));
    QCOMPARE(listed(f, w), u"0 1 2| 4.50 kB"_s);
    QCOMPARE(child<DirListBox>(w, u"TargetFolderList"_s)->path(), f.system + u'/');
    QCOMPARE(w.targetPane().drive()->mountPoint(), f.system);
}

// Folders dropped from the file manager go in in their order, through the checks of Insert; a
// file dropped with them is passed over.
void TestPanes::dropFolders()
{
    MainWindowFixture f;
    MainWindow& w = start(f, {100, 200, 0});
    f.dir.create({u"E/Box/CD1/a.mp3"_s});
    QMimeData dragged;
    QList<QUrl> urls;
    for (const QString& dropped : {u"1"_s, u"0/01.mp3"_s, u"0/"_s, u"2"_s, u"Box"_s, u"1"_s})
        urls.append(QUrl::fromLocalFile(f.dir(u"E/"_s + dropped)));
    dragged.setUrls(urls);
    // The drag comes in first: the drop goes where the drag was taken.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {});
    QCoreApplication::sendEvent(child<QListWidget>(w, u"SourceList"_s)->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dragged, Qt::LeftButton, {}, QEvent::Drop);
    f.platform->answer({A::Ok, A::Ok, A::Yes});
    QCoreApplication::sendEvent(child<QListWidget>(w, u"SourceList"_s)->viewport(), &drop);

    QVERIFY(drop.isAccepted());
    QCOMPARE(listed(f, w), u"1 0 1|  500 B "_s);
    // Said, each with the folder's path: empty, without mp3 files, already listed.
    const QStringList named{u"2 is empty"_s, u"Box does not contain any mp3"_s, u"1  already"_s};
    QCOMPARE(f.platform->messages().size(), named.size());
    for (int i = 0; i < named.size(); ++i)
        QVERIFY(f.platform->messages()[i].text.contains(f.dir(u"E/"_s + named[i])));

    // A click on the entry already selected is a click as well.
    child<QListWidget>(w, u"SourceList"_s)->setCurrentRow(1);
    child<QPushButton>(w, u"RemoveSourceFolder"_s)->setEnabled(false);
    QTest::mouseClick(child<QListWidget>(w, u"SourceList"_s)->viewport(), Qt::LeftButton, {},
                      centreOf(w, 1));
    QVERIFY(child<QPushButton>(w, u"RemoveSourceFolder"_s)->isEnabled());
}

void TestPanes::keys_data()
{
    QTest::addColumn<QString>("pane");   // "source" or "target"
    QTest::addColumn<QString>("open");   // the pane's folder first, if not its usual one
    QTest::addColumn<QString>("action"); // a key on the first subfolder, or a button
    QTest::addColumn<QString>("loss");   // a folder deleted, or a drive "not ready" or "removed"
    QTest::addColumn<QString>("state");

    const auto row = [](const char* name, const char* pane, const char* action,
                        const QString& state, const QString& open = {}, const QString& loss = {}) {
        QTest::newRow(name) << QString::fromLatin1(pane) << open << QString::fromLatin1(action)
                            << loss << state;
    };
    row("source Enter", "source", "Return", u"E/Music/Album; T/Music; list 0"_s);
    row("target Up", "target", "UpOneLevel", u"E/Music; T/ top; list 0"_s);
    // A folder or drive gone since the pane was read: reported, and the pane read anew on the
    // nearest folder left, or on the system drive.
    row("source Up, parent deleted", "source", "UpOneLevel", u"E/Music; T/Music; list 0; Error"_s,
        u"E/Music/Album/CD1"_s, u"E/Music/Album"_s);
    row("target Enter, folder deleted", "target", "Return", u"E/Music; T/Music; list 0; Error"_s,
        {}, u"T/Music/A"_s);
    row("target Refresh, medium not ready", "target", "RefreshLists",
        u"E/Music; C/ top; list 0; Drive Error"_s, u"T/Music/A/Sub"_s, u"T not ready"_s);
    row("target Enter, drive removed", "target", "Return",
        u"E/Music; C/ top; list 0; Drive Error"_s, {}, u"T removed"_s);
}

void TestPanes::keys()
{
    QFETCH(QString, pane);
    QFETCH(QString, open);
    QFETCH(QString, action);
    QFETCH(QString, loss);

    MainWindowFixture f;
    MainWindow& w = openPanes(f);
    const QString side = pane == u"target"_s ? u"Target"_s : u"Source"_s;
    auto* folders = w.findChild<DirListBox*>(side + u"FolderList"_s);
    if (!open.isEmpty())
        folders->setPath(f.dir(open));
    folders->setFocus();
    folders->setListIndex(0);
    const QString drive = f.dir(loss.left(1));
    if (loss.endsWith(u"not ready"_s))
        f.drives->setReady(drive, false);
    else if (loss.endsWith(u"removed"_s))
        f.drives->remove(drive);
    else if (!loss.isEmpty())
        QVERIFY(QDir(f.dir(loss)).removeRecursively());

    f.platform->answer(A::Ok);
    auto* button = w.findChild<QPushButton*>(
        action == u"UpOneLevel"_s ? side + action : QString(action).insert(7, side));
    if (button)
        button->click();
    else
        QTest::keyClick(folders, QKeySequence(action)[0].key());
    QTEST(state(f, w), "state");
    QCOMPARE(w.targetPane().drive()->mountPoint(),
             child<DriveListBox>(w, u"TargetDriveList"_s)->mountPoint());
}

// A stick mounted inside a folder of a fixed drive: browsing into it makes it the target drive,
// and Up at its mount point goes back out.
void TestPanes::nestedDrives()
{
    MainWindowFixture f;
    f.dir.create({u"C/media/Stick/A/1.mp3"_s, u"C/media/Stick/B/2.mp3"_s, u"C/media/x.mp3"_s});
    const QString stick = f.dir(u"C/media/Stick"_s);
    f.drives->add(stick, true, u"STICK"_s);
    f.drives->setFreeSpace(f.system, 1000);
    f.drives->setFreeSpace(stick, 2500);
    f.store(u"TargetPath"_s, f.dir(u"C/media"_s));
    MainWindow& w = f.start();
    // Drive shown, free space, count, Clear Disk, Up, and the drive in use.
    const auto shows = [&]() -> QString {
        return QStringList{
            child<DriveListBox>(w, u"TargetDriveList"_s)->currentText(),
            child<QLabel>(w, u"TargetFreeSpace"_s)->text(),
            child<QLabel>(w, u"Label_NumberOfFiles_1"_s)->text(),
            child<QPushButton>(w, u"ClearTargetDrive"_s)->isEnabled() ? u"clear"_s : QString(),
            child<QPushButton>(w, u"TargetUpOneLevel"_s)->isEnabled() ? u"up"_s : QString(),
            w.targetPane().drive()->mountPoint()}
            .join(u'|');
    };
    const QString outside = f.system + u"| 1.00 kB|Click Refresh||up|"_s + f.system;
    QCOMPARE(shows(), outside);
    child<DirListBox>(w, u"TargetFolderList"_s)->setListIndex(0);
    QTest::keyClick(child<DirListBox>(w, u"TargetFolderList"_s), Qt::Key_Return);
    QCOMPARE(shows(), stick + u"  [STICK]| 2.50 kB|2|clear|up|"_s + stick);
    child<QPushButton>(w, u"TargetUpOneLevel"_s)->click();
    QCOMPARE(child<DirListBox>(w, u"TargetFolderList"_s)->path(), f.dir(u"C/media"_s));
    QCOMPARE(shows(), outside);
}

// A drive mounted while the window runs shows up in both lists at once; nothing is said and the
// panes stay.
void TestPanes::liveDriveLists()
{
    MainWindowFixture f;
    MainWindow& w = openPanes(f);
    const QString stick = f.dir.mkdir(u"A new stick"_s);
    f.drives->add(stick, true, u"NEW"_s);
    f.drives->announceChange();
    for (const DriveListBox* list : {child<DriveListBox>(w, u"SourceDriveList"_s),
                                     child<DriveListBox>(w, u"TargetDriveList"_s)})
        QVERIFY(list->findText(stick + u"  [NEW]"_s) >= 0);
    QCOMPARE(state(f, w), u"E/Music; T/Music; list 0"_s);
}

QTEST_MAIN(TestPanes)
#include "tst_panekeys.moc"
