#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Notes "viewer" or "multi" when the file viewer or the multi-folder window shows, and closes
// it once it runs modally.
struct WindowCloser final : QObject {
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (!window || event->type() != QEvent::Show)
            return false;
        if (window->objectName() == u"ViewFiles"_s)
            shown.append(u"viewer"_s);
        else if (window->objectName() == u"MultiCopyForm"_s)
            shown.append(u"multi"_s);
        else
            return false;
        QTimer::singleShot(0, window, &QWidget::close);
        return false;
    }

    QStringList shown;
};

// Source drive E opened at E/Music, target drive T opened at T/Music, both removable; the
// Source List holds E/Music/Other. The viewer and the multi-folder window are recorded.
struct Panes {
    Panes()
    {
        QCoreApplication::instance()->installEventFilter(&windowCloser);
        f.addDrive(u"E"_s, true);
        f.addDrive(u"T"_s, true);
        f.dir.create({u"E/Music/Album/0.mp3"_s, u"E/Music/Album/CD1/1.mp3"_s,
                      u"E/Music/Other/2.mp3"_s, u"T/Music/1.mp3"_s, u"T/Music/A/2.mp3"_s,
                      u"T/Music/A/Sub/1.mp3"_s, u"T/Music/B/"_s});
        f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
        f.store(u"TargetPath"_s, f.dir(u"T/Music"_s));
        w = &f.start();
        w->SourceList->addItem(f.dir(u"E/Music/Other"_s));
        w->show();
        changes();
    }
    // What changed since the last call: "source E/; source top; active 2; popup; viewer;
    // message Error".
    QString changes()
    {
        const QStringList now{u"source "_s + relative(w->SourceFolderList->path()),
                              u"target "_s + relative(w->TargetFolderList->path()),
                              u"list "_s + QString::number(w->SourceList->count()),
                              w->SourceUpOneLevel->isEnabled() ? u"source up"_s : u"source top"_s,
                              w->TargetUpOneLevel->isEnabled() ? u"target up"_s : u"target top"_s,
                              u"active "_s + QString::number(f.m->ActivePane)};
        QStringList changed;
        for (const QString& s : now)
            if (!last.contains(s))
                changed.append(s);
        last = now;
        if (w->Menu_Hidden->isVisible())
            changed.append(u"popup"_s);
        w->Menu_Hidden->hide();
        changed += std::exchange(windowCloser.shown, {});
        for (const QUrl& url : f.platform->openedUrls())
            changed.append(u"opened "_s + relative(url.toLocalFile()));
        for (const ScriptedPlatform::Message& m : f.platform->messages())
            changed.append(u"message "_s + m.title);
        f.platform->clear();
        return changed.join(u"; "_s);
    }
    QString relative(const QString& path) const { return path.mid(f.dir.path().size() + 1); }

    MainFormFixture f;
    MainForm* w = nullptr;
    WindowCloser windowCloser;
    QStringList last;
};

QPoint centreOf(const QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

} // namespace

class TestPaneKeys : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void keys_data();
    void keys();
    void nestedDrives();
    void liveDriveLists();
};

void TestPaneKeys::keys_data()
{
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QString>("open");    // the pane's folder first, if not its usual one
    QTest::addColumn<int>("highlighted"); // ListIndex before the key; -1 nothing selected
    QTest::addColumn<QString>("action");  // a key, "Up", "Refresh", "double click", "Tab" or a
                                          // "press" of the left or right mouse button
    QTest::addColumn<QString>("loss");    // a folder deleted, or a drive "not ready" or "removed"
    QTest::addColumn<QString>("changes");

    const auto row = [](const char* name, const char* pane, int highlighted, const char* action,
                        const QString& changes, const QString& open = {},
                        const QString& loss = {}) {
        QTest::newRow(name) << QString::fromLatin1(pane) << open << highlighted
                            << QString::fromLatin1(action) << loss << changes;
    };
    const QString album = u"source E/Music/Album"_s;
    row("source Enter", "SourceFolderList", 0, "Return", album);
    row("source Right", "SourceFolderList", 0, "Right", album);
    row("source Ctrl+Enter", "SourceFolderList", 0, "Ctrl+Return", QString());
    row("source Left", "SourceFolderList", 0, "Left", u"source E/; source top"_s);
    row("source Space", "SourceFolderList", 0, "Space", u"popup"_s);
    row("source Insert", "SourceFolderList", 0, "Ins", u"list 2"_s);
    row("source Ctrl+Insert", "SourceFolderList", 0, "Ctrl+Ins", u"multi"_s);
    row("list Shift+Space", "SourceList", 0, "Shift+Space", u"viewer"_s);
    row("list Space, nothing selected", "SourceList", -1, "Space", QString());
    row("list Delete", "SourceList", 0, "Del", u"list 0; active 0"_s);
    row("target Space", "TargetFolderList", 0, "Space", u"viewer"_s);
    row("target Space, open folder", "TargetFolderList", -1, "Space", QString());
    row("target Ctrl+Left", "TargetFolderList", 0, "Ctrl+Left", u"target T/; target top"_s);
    row("target Enter", "TargetFolderList", 0, "Return", u"target T/Music/A"_s);
    row("target list Space", "TargetList", 0, "Space", u"viewer"_s);

    // Entering a pane makes it the active one; the right button moves neither the focus nor the
    // highlight, and shows the pop-up menu or, on a selected item, the viewer.
    const char* panes[] = {"SourceFolderList", "SourceList", "TargetFolderList", "TargetList"};
    for (int i = 0; i < 4; ++i) {
        const QString active = u"active "_s + QString::number(i);
        QTest::addRow("%d, Tab", i)
            << QString::fromLatin1(panes[i]) << QString() << -1 << u"Tab"_s << QString() << active;
        QTest::addRow("%d, left", i) << QString::fromLatin1(panes[i]) << QString() << -1
                                     << u"press left"_s << QString() << active;
        QTest::addRow("%d, right", i)
            << QString::fromLatin1(panes[i]) << QString() << 0 << u"press right"_s << QString()
            << active + (i % 2 == 0 ? u"; popup"_s : u"; viewer"_s);
    }
    // The pop-up menu's items act on the pane it was opened on.
    row("source menu, Explorer", "SourceFolderList", 1, "Space > Explorer",
        u"opened E/Music/Other"_s);
    row("target menu, Explorer", "TargetFolderList", -1, "press right > Explorer",
        u"active 2; opened T/Music"_s);
    row("target menu, Play", "TargetFolderList", -1, "press right > Play", u"active 2; viewer"_s);

    // Up one level; the button is off at a root.
    row("source Up, to a folder", "SourceFolderList", 0, "Up", u"source E/Music"_s,
        u"E/Music/Album"_s);
    row("target Up, to the root", "TargetFolderList", 0, "Up", u"target T/; target top"_s);

    // A folder or drive gone since the pane was read: reported, and the pane read anew.
    const QString error = u"message Error"_s;
    const QString gone = u"E/Music/Album"_s;
    row("source double click, folder deleted", "SourceFolderList", 0, "double click", error, {},
        gone);
    row("source Refresh, folder deleted", "SourceFolderList", 0, "Refresh",
        u"source E/Music; "_s + error, u"E/Music/Album/CD1"_s, gone);
    row("source Up, parent deleted", "SourceFolderList", 0, "Up", u"source E/Music; "_s + error,
        u"E/Music/Album/CD1"_s, gone);
    row("source Up, medium not ready", "SourceFolderList", 0, "Up",
        u"source C/; source top; message Drive Error"_s, {}, u"E not ready"_s);
    row("target Enter, folder deleted", "TargetFolderList", 0, "Return", error, {}, u"T/Music/A"_s);
    row("target Refresh, medium not ready", "TargetFolderList", 0, "Refresh",
        u"target C/; target top; message Drive Error"_s, u"T/Music/A/Sub"_s, u"T not ready"_s);
    row("target Enter, drive removed", "TargetFolderList", 0, "Return",
        u"target C/; target top; message Drive Error"_s, {}, u"T removed"_s);
}

void TestPaneKeys::keys()
{
    QFETCH(QString, pane);
    QFETCH(QString, open);
    QFETCH(int, highlighted);
    QFETCH(QString, action);
    const QString menuItem = action.section(u" > "_s, 1);
    action = action.section(u" > "_s, 0, 0);
    QFETCH(QString, loss);
    QFETCH(QString, changes);

    Panes p;
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    auto* list = p.w->findChild<QListWidget*>(pane);
    auto* folders = qobject_cast<DirListBox*>(list);
    const bool target = pane.startsWith(u"Target"_s);
    if (!open.isEmpty())
        folders->setPath(p.f.dir(open));
    const bool entering = action == u"Tab"_s || action.startsWith(u"press"_s);
    list->setFocus();
    if (folders)
        folders->setListIndex(highlighted);
    else if (highlighted >= 0)
        list->setCurrentRow(highlighted);
    if (entering) {
        p.w->SourceDriveList->setFocus();
        p.f.m->ActivePane = -1;
    }
    const int row = list->currentRow();
    p.changes();
    const QString drive = p.f.dir(loss.left(1));
    if (loss.endsWith(u"not ready"_s))
        p.f.drives->setReady(drive, false);
    else if (loss.endsWith(u"removed"_s))
        p.f.drives->remove(drive);
    else if (!loss.isEmpty())
        QVERIFY(QDir(p.f.dir(loss)).removeRecursively());

    p.f.platform->answer(Platform::Answer::Ok);
    if (action == u"Up"_s) {
        (target ? p.w->TargetUpOneLevel : p.w->SourceUpOneLevel)->click();
    } else if (action == u"Refresh"_s) {
        (target ? p.w->RefreshTargetLists : p.w->RefreshSourceLists)->click();
    } else if (action == u"Tab"_s) {
        list->setFocus(Qt::TabFocusReason);
    } else if (action.startsWith(u"press"_s)) {
        QTest::mousePress(list->viewport(),
                          action.endsWith(u"right"_s) ? Qt::RightButton : Qt::LeftButton, {},
                          centreOf(list, 0));
    } else if (action == u"double click"_s) {
        const QPoint at = centreOf(list, 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    } else {
        const QKeyCombination key = QKeySequence(action)[0];
        QTest::keyClick(list, key.key(), key.keyboardModifiers());
    }

    if (!menuItem.isEmpty()) {
        QVERIFY(p.w->Menu_Hidden->isVisible());
        QAction* item = menuItem == u"Play"_s ? p.w->Menu_OpenPlay : p.w->Menu_OpenExplorer;
        QTest::mouseClick(p.w->Menu_Hidden, Qt::LeftButton, {},
                          p.w->Menu_Hidden->actionGeometry(item).center());
    }
    QCOMPARE(p.changes(), changes);
    if (!loss.isEmpty())
        QVERIFY(!folders->list(0).startsWith(p.f.dir(loss)));
    if (action == u"press right"_s) {
        QCOMPARE(p.w->focusWidget(), static_cast<QWidget*>(p.w->SourceDriveList));
        QCOMPARE(list->currentRow(), row);
    } else if (entering) {
        QCOMPARE(p.w->focusWidget(), list);
    }
    if (action == u"Up"_s && loss.isEmpty()) {
        QCOMPARE(folders->listIndex(), -1);
        QCOMPARE(p.w->focusWidget(), list);
    }
    QCOMPARE(p.f.m->TargetDrive->mountPoint(), p.w->TargetDriveList->mountPoint());
    QCOMPARE(p.w->TargetList->count(), p.w->TargetFolderList->listCount());
}

// A stick mounted inside a folder of a fixed drive: browsing into it makes it the target drive,
// and Up at its mount point goes back out.
void TestPaneKeys::nestedDrives()
{
    MainFormFixture f;
    f.dir.create({u"C/media/Stick/A/1.mp3"_s, u"C/media/Stick/B/2.mp3"_s, u"C/media/x.mp3"_s});
    const QString stick = f.dir(u"C/media/Stick"_s);
    f.drives->add(stick, true, u"STICK"_s);
    f.drives->setFreeSpace(f.system, 1000);
    f.drives->setFreeSpace(stick, 2500);
    f.store(u"TargetPath"_s, f.dir(u"C/media"_s));
    MainForm& w = f.start();
    const auto shows = [&](const QString& folder, const QString& drive, const QString& free,
                           const QString& count, bool clearDisk) {
        QCOMPARE(w.TargetFolderList->path(), folder);
        QCOMPARE(w.TargetDriveList->drive(), drive);
        QCOMPARE(w.TargetDriveList->currentText(), drive);
        QCOMPARE(f.m->TargetDrive->mountPoint(), w.TargetDriveList->mountPoint());
        QCOMPARE(w.TargetFreeSpace->text(), free);
        QCOMPARE(w.Label_NumberOfFiles[1]->text(), count);
        QCOMPARE(w.ClearTargetDrive->isEnabled(), clearDisk);
        QVERIFY(w.TargetUpOneLevel->isEnabled());
    };
    shows(f.dir(u"C/media"_s), f.system, u" 1.00 kB"_s, u"Click Refresh"_s, false);

    w.TargetFolderList->setListIndex(0);
    QTest::keyClick(w.TargetFolderList, Qt::Key_Return);
    shows(stick + u'/', stick + u"  [STICK]"_s, u" 2.50 kB"_s, u"2"_s, true);
    w.TargetUpOneLevel->click();
    shows(f.dir(u"C/media"_s), f.system, u" 1.00 kB"_s, u"Click Refresh"_s, false);

    // On a fixed drive Refresh asks before it counts; one Yes buys one count.
    f.platform->answer(Platform::Answer::No);
    f.platform->answer(Platform::Answer::Yes);
    w.RefreshTargetLists->click();
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"Click Refresh"_s);
    w.RefreshTargetLists->click();
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"3"_s);
    QCOMPARE(f.platform->messages().size(), 2);
    f.platform->clear();

    // The system drive's root is the top; a drive chosen that cannot be read leaves the pane
    // where it is.
    w.TargetUpOneLevel->click();
    QVERIFY(!w.TargetUpOneLevel->isEnabled());
    f.drives->setReady(stick, false);
    f.platform->answer(Platform::Answer::Ok);
    const int row = w.TargetDriveList->findData(stick);
    w.TargetDriveList->setCurrentIndex(row);
    Q_EMIT w.TargetDriveList->activated(row);
    QCOMPARE(f.platform->messages().size(), 1);
    QCOMPARE(f.platform->messages().first().title, u"Drive Error"_s);
    QCOMPARE(w.TargetFolderList->path(), f.system + u'/');
    QCOMPARE(w.TargetDriveList->currentText(), f.system);
}

// A drive mounted while the window runs shows up in both lists at once, and an unmounted one
// leaves them; the drives shown stay, also the one that went. Nothing is said.
void TestPaneKeys::liveDriveLists()
{
    Panes p;
    const QString stick = p.f.dir.mkdir(u"A new stick"_s);
    p.f.drives->add(stick, true, u"NEW"_s);
    p.f.drives->announceChange();
    for (const DriveListBox* list : {p.w->SourceDriveList, p.w->TargetDriveList})
        QVERIFY(list->findText(stick + u"  [NEW]"_s) >= 0);
    p.f.drives->remove(p.f.dir(u"T"_s));
    p.f.drives->remove(stick);
    p.f.drives->announceChange();
    QCOMPARE(p.w->TargetDriveList->drive(), p.f.dir(u"T"_s));
    QCOMPARE(p.w->TargetDriveList->currentText(), p.w->TargetDriveList->drive());
    QCOMPARE(p.w->SourceDriveList->count(), 2);
    QCOMPARE(p.w->SourceDriveList->currentText(), p.f.dir(u"E"_s));
    QCOMPARE(p.changes(), QString());
}

QTEST_MAIN(TestPaneKeys)
#include "tst_panekeys.moc"
