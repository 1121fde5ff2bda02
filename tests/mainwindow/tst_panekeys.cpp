#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Notes "viewer" or "multi" when the file viewer or the multi-folder window shows, and closes
// it once it runs modally.
class WindowCloser final : public QObject {
public:
    explicit WindowCloser(QStringList& shown)
        : m_shown(shown)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QWidget*>(watched);
        if (!window || event->type() != QEvent::Show)
            return false;
        if (window->objectName() == u"ViewFiles"_s)
            m_shown.append(u"viewer"_s);
        else if (window->objectName() == u"MultiCopyForm"_s)
            m_shown.append(u"multi"_s);
        else
            return false;
        QTimer::singleShot(0, window, &QWidget::close);
        return false;
    }

private:
    QStringList& m_shown;
};

// Source drive E opened at E/Music, target drive T opened at T/Music, both removable; the
// Source List holds E/Music/Other. The viewer and the multi-folder window are recorded.
struct Panes {
    Panes()
    {
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
    // What changed since the last call: "source E/Music/Album; popup; list 2; viewer".
    QString changes()
    {
        const QStringList now{u"source "_s + relative(w->SourceFolderList->path()),
                              u"target "_s + relative(w->TargetFolderList->path()),
                              u"list "_s + QString::number(w->SourceList->count())};
        QStringList changed;
        for (const QString& s : now)
            if (!last.contains(s))
                changed.append(s);
        last = now;
        if (w->Menu_Hidden->isVisible())
            changed.append(u"popup"_s);
        w->Menu_Hidden->hide();
        changed += std::exchange(shown, {});
        return changed.join(u"; "_s);
    }
    QString relative(const QString& path) const { return path.mid(f.dir.path().size() + 1); }

    MainFormFixture f;
    MainForm* w = nullptr;
    QStringList shown;
    WindowCloser windowCloser{shown};
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
    void activePane_data();
    void activePane();
    void popUpMenuItems();
    void upOneLevel_data();
    void upOneLevel();
    void vanishedFolder_data();
    void vanishedFolder();
};

void TestPaneKeys::keys_data()
{
    QTest::addColumn<QString>("pane");
    QTest::addColumn<int>("highlighted"); // ListIndex before the key; -1 nothing selected
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("changes");

    const Qt::KeyboardModifiers none, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    const QString album = u"source E/Music/Album"_s;
    auto row = [](const char* name, const char* pane, int highlighted, int key,
                  Qt::KeyboardModifiers modifiers, const QString& changes) {
        QTest::newRow(name) << QString::fromLatin1(pane) << highlighted << key << modifiers
                            << changes;
    };
    row("source Enter", "SourceFolderList", 0, Qt::Key_Return, none, album);
    row("source keypad Enter", "SourceFolderList", 0, Qt::Key_Enter, Qt::KeypadModifier, album);
    row("source Right", "SourceFolderList", 0, Qt::Key_Right, none, album);
    row("source Ctrl+Enter", "SourceFolderList", 0, Qt::Key_Return, ctrl, QString());
    row("source Left", "SourceFolderList", 0, Qt::Key_Left, none, u"source E/"_s);
    row("source Space", "SourceFolderList", 0, Qt::Key_Space, none, u"popup"_s);
    row("source Space, open folder", "SourceFolderList", -1, Qt::Key_Space, none, u"popup"_s);
    row("source Insert", "SourceFolderList", 0, Qt::Key_Insert, none, u"list 2"_s);
    row("source Ctrl+Insert", "SourceFolderList", 0, Qt::Key_Insert, ctrl, u"multi"_s);
    row("source Shift+Insert", "SourceFolderList", 0, Qt::Key_Insert, shift, QString());
    row("source Ctrl+Shift+Insert", "SourceFolderList", 0, Qt::Key_Insert, ctrl | shift, QString());
    row("list Shift+Space", "SourceList", 0, Qt::Key_Space, shift, u"viewer"_s);
    row("list Space, nothing selected", "SourceList", -1, Qt::Key_Space, none, QString());
    row("list Delete", "SourceList", 0, Qt::Key_Delete, none, u"list 0"_s);
    row("list Delete, nothing clicked", "SourceList", -1, Qt::Key_Delete, none, QString());
    row("target Space", "TargetFolderList", 0, Qt::Key_Space, none, u"viewer"_s);
    row("target Space, open folder", "TargetFolderList", -1, Qt::Key_Space, none, QString());
    row("target Ctrl+Left", "TargetFolderList", 0, Qt::Key_Left, ctrl, u"target T/"_s);
    row("target Right", "TargetFolderList", 0, Qt::Key_Right, none, u"target T/Music/A"_s);
    row("target Enter", "TargetFolderList", 0, Qt::Key_Return, none, u"target T/Music/A"_s);
    row("target list Space", "TargetList", 0, Qt::Key_Space, none, u"viewer"_s);
    row("target list Space, nothing selected", "TargetList", -1, Qt::Key_Space, none, QString());
}

void TestPaneKeys::keys()
{
    QFETCH(QString, pane);
    QFETCH(int, highlighted);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, changes);

    Panes p;
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    auto* list = p.w->findChild<QListWidget*>(pane);
    list->setFocus();
    if (auto* folders = qobject_cast<DirListBox*>(list))
        folders->setListIndex(highlighted);
    else if (highlighted >= 0)
        list->setCurrentRow(highlighted);
    QTest::keyClick(list, Qt::Key(key), modifiers);
    QCOMPARE(p.changes(), changes);
    QVERIFY(p.f.platform->messages().isEmpty());
}

void TestPaneKeys::activePane_data()
{
    QTest::addColumn<QString>("pane");
    QTest::addColumn<Qt::MouseButton>("button"); // NoButton: the pane gets the focus by Tab
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("activePane"); // -1: unchanged
    QTest::addColumn<QString>("changes");

    const QStringList panes{u"SourceFolderList"_s, u"SourceList"_s, u"TargetFolderList"_s,
                            u"TargetList"_s};
    for (int i = 0; i < 4; ++i) {
        QTest::addRow("%d, focus", i) << panes[i] << Qt::NoButton << false << i << QString();
        QTest::addRow("%d, left", i) << panes[i] << Qt::LeftButton << false << i << QString();
        const bool folders = i % 2 == 0;
        QTest::addRow("%d, right", i)
            << panes[i] << Qt::RightButton << !folders << i << (folders ? u"popup"_s : u"viewer"_s);
    }
    QTest::newRow("1, right, nothing selected")
        << panes[1] << Qt::RightButton << false << -1 << QString();
    QTest::newRow("3, right, nothing selected")
        << panes[3] << Qt::RightButton << false << -1 << QString();
}

void TestPaneKeys::activePane()
{
    QFETCH(QString, pane);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, selected);
    QFETCH(int, activePane);
    QFETCH(QString, changes);

    Panes p;
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    auto* list = p.w->findChild<QListWidget*>(pane);
    if (selected)
        list->setCurrentRow(0);
    p.w->SourceDriveList->setFocus();
    p.f.m->ActivePane = -1;
    const int highlighted = list->currentRow();
    if (button == Qt::NoButton)
        list->setFocus(Qt::TabFocusReason);
    else
        QTest::mousePress(list->viewport(), button, {}, centreOf(list, 0));

    QCOMPARE(p.f.m->ActivePane, activePane);
    QCOMPARE(p.changes(), changes);
    // The right button moves neither the focus nor the highlight.
    const bool right = button == Qt::RightButton;
    QCOMPARE(p.w->focusWidget(), right ? static_cast<QWidget*>(p.w->SourceDriveList) : list);
    if (right)
        QCOMPARE(list->currentRow(), highlighted);
}

void TestPaneKeys::popUpMenuItems()
{
    Panes p;
    QVERIFY(QTest::qWaitForWindowActive(p.w));
    const auto choose = [&](QAction* item) {
        QVERIFY(p.w->Menu_Hidden->isVisible());
        QTest::mouseClick(p.w->Menu_Hidden, Qt::LeftButton, {},
                          p.w->Menu_Hidden->actionGeometry(item).center());
    };
    p.w->SourceFolderList->setFocus();
    p.w->SourceFolderList->setListIndex(1);
    QTest::keyClick(p.w->SourceFolderList, Qt::Key_Space);
    choose(p.w->Menu_OpenExplorer);
    QTest::keyClick(p.w->SourceFolderList, Qt::Key_Space);
    choose(p.w->Menu_OpenPlay);
    // The pane the menu was opened on, also while another one has the focus.
    p.w->TargetFolderList->setListIndex(-1);
    for (QAction* item : {p.w->Menu_OpenExplorer, p.w->Menu_OpenPlay}) {
        QTest::mousePress(p.w->TargetFolderList->viewport(), Qt::RightButton, {},
                          centreOf(p.w->TargetFolderList, 0));
        choose(item);
    }
    QCOMPARE(p.f.m->ActivePane, 2);

    QCOMPARE(p.f.platform->openedUrls(),
             (QList<QUrl>{QUrl::fromLocalFile(p.f.dir(u"E/Music/Other"_s)),
                          QUrl::fromLocalFile(p.f.dir(u"T/Music"_s))}));
    QCOMPARE(p.shown, QStringList(2, u"viewer"_s));
}

void TestPaneKeys::upOneLevel_data()
{
    QTest::addColumn<bool>("target");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");

    QTest::newRow("source, to a folder") << false << u"E/Music/Album"_s << u"E/Music"_s;
    QTest::newRow("source, to the root") << false << u"E/Music"_s << u"E/"_s;
    QTest::newRow("target, to the root") << true << u"T/Music"_s << u"T/"_s;
}

void TestPaneKeys::upOneLevel()
{
    QFETCH(bool, target);
    QFETCH(QString, from);
    QFETCH(QString, to);

    Panes p;
    DirListBox* list = target ? p.w->TargetFolderList : p.w->SourceFolderList;
    QPushButton* up = target ? p.w->TargetUpOneLevel : p.w->SourceUpOneLevel;
    list->setPath(p.f.dir(from));
    list->setListIndex(0);
    up->click();

    QCOMPARE(p.relative(list->path()), to);
    QCOMPARE(list->listIndex(), -1);
    QCOMPARE(up->isEnabled(), !to.endsWith(u'/'));
    QCOMPARE(p.w->focusWidget(), list);
    QCOMPARE(p.w->TargetList->count(), p.w->TargetFolderList->listCount());
}

enum class Loss { Folder, NotReady, DriveRemoved };

void TestPaneKeys::vanishedFolder_data()
{
    QTest::addColumn<bool>("target");
    QTest::addColumn<QString>("action");
    QTest::addColumn<Loss>("loss");
    QTest::addColumn<QString>("message"); // %1: the temporary tree
    QTest::addColumn<QString>("paneAfter");

    const QString driveE = u"Drive Error|Drive %1/E not ready.|Ok|Critical"_s;
    const QString driveT = u"Drive Error|Drive %1/T not ready.|Ok|Critical"_s;
    const QString album = u"Error|%1/E/Music/Album  doesn't exist.|Ok|None"_s;
    QTest::newRow("source Enter, folder deleted")
        << false << u"Enter"_s << Loss::Folder << album << u"E/Music"_s;
    QTest::newRow("source double click, folder deleted")
        << false << u"double click"_s << Loss::Folder << album << u"E/Music"_s;
    QTest::newRow("source Refresh, folder deleted")
        << false << u"Refresh"_s << Loss::Folder
        << u"Error|%1/E/Music/Album/CD1  doesn't exist.|Ok|None"_s << u"E/Music"_s;
    QTest::newRow("source Up, medium not ready")
        << false << u"Up"_s << Loss::NotReady << driveE << u"C/"_s;
    QTest::newRow("target Enter, folder deleted")
        << true << u"Enter"_s << Loss::Folder << u"Error|%1/T/Music/A  doesn't exist.|Ok|None"_s
        << u"T/Music"_s;
    QTest::newRow("target Refresh, medium not ready")
        << true << u"Refresh"_s << Loss::NotReady << driveT << u"C/"_s;
    QTest::newRow("target Enter, drive removed")
        << true << u"Enter"_s << Loss::DriveRemoved << driveT << u"C/"_s;
}

void TestPaneKeys::vanishedFolder()
{
    QFETCH(bool, target);
    QFETCH(QString, action);
    QFETCH(Loss, loss);
    QFETCH(QString, message);
    QFETCH(QString, paneAfter);

    Panes p;
    QVERIFY(QTest::qWaitForWindowExposed(p.w));
    const QString drive = p.f.dir(target ? u"T"_s : u"E"_s);
    const QString lost = drive + (target ? u"/Music/A"_s : u"/Music/Album"_s);
    DirListBox* list = target ? p.w->TargetFolderList : p.w->SourceFolderList;
    if (action == u"Refresh"_s) // the pane is one level further down
        list->setPath(lost + (target ? u"/Sub"_s : u"/CD1"_s));
    list->setListIndex(0);
    if (loss == Loss::Folder)
        QVERIFY(QDir(lost).removeRecursively());
    else if (loss == Loss::NotReady)
        p.f.drives->setReady(drive, false);
    else
        p.f.drives->remove(drive);

    p.f.platform->answer(Platform::Answer::Ok);
    if (action == u"Enter"_s) {
        QTest::keyClick(list, Qt::Key_Return);
    } else if (action == u"Refresh"_s) {
        (target ? p.w->RefreshTargetLists : p.w->RefreshSourceLists)->click();
    } else if (action == u"Up"_s) {
        p.w->SourceUpOneLevel->click();
    } else {
        const QPoint at = centreOf(list, 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
    }

    QCOMPARE(messageTexts(*p.f.platform), QStringList{message.arg(p.f.dir.path())});
    QCOMPARE(p.relative(list->path()), paneAfter);
    QVERIFY(!list->list(0).startsWith(lost));
    QCOMPARE(p.f.m->TargetDrive->mountPoint(), p.w->TargetDriveList->mountPoint());
    QCOMPARE(p.w->TargetList->count(), p.w->TargetFolderList->listCount());
}

QTEST_MAIN(TestPaneKeys)
#include "tst_panekeys.moc"
