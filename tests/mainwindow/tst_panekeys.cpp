#include "support/MainFormFixture.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Source drive E opened at E/Music, target drive T opened at T/Music, both removable.
struct Panes {
    Panes()
    {
        f.addDrive(u"E"_s, true);
        f.addDrive(u"T"_s, true);
        f.dir.create({u"E/Music/Album/0.mp3"_s, u"E/Music/Album/CD1/1.mp3"_s,
                      u"E/Music/Other/2.mp3"_s, u"T/Music/A/Sub/1.mp3"_s, u"T/Music/B/"_s});
        f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
        f.store(u"TargetPath"_s, f.dir(u"T/Music"_s));
        w = &f.start();
        w->show();
    }
    // "E/Music; C/ top; list 1; popup; Drive Error": the panes' folders, "top" where Up is off,
    // the Source List's length, the pop-up menu and the messages' titles.
    QString state() const
    {
        const auto pane = [this](const DirListBox* list, const QPushButton* up) -> QString {
            return list->path().mid(f.dir.path().size() + 1) +
                   (up->isEnabled() ? QString() : u" top"_s);
        };
        QStringList parts{pane(w->SourceFolderList, w->SourceUpOneLevel),
                          pane(w->TargetFolderList, w->TargetUpOneLevel),
                          u"list "_s + QString::number(w->SourceList->count())};
        if (w->Menu_Hidden->isVisible())
            parts.append(u"popup"_s);
        for (const ScriptedPlatform::Message& m : f.platform->messages())
            parts.append(m.title);
        return parts.join(u"; "_s);
    }

    MainFormFixture f;
    MainForm* w = nullptr;
};

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
    QTest::addColumn<QString>("pane");   // "source" or "target"
    QTest::addColumn<QString>("open");   // the pane's folder first, if not its usual one
    QTest::addColumn<QString>("action"); // a key on the first subfolder, "Up" or "Refresh"
    QTest::addColumn<QString>("loss");   // a folder deleted, or a drive "not ready" or "removed"
    QTest::addColumn<QString>("state");

    const auto row = [](const char* name, const char* pane, const char* action,
                        const QString& state, const QString& open = {}, const QString& loss = {}) {
        QTest::newRow(name) << QString::fromLatin1(pane) << open << QString::fromLatin1(action)
                            << loss << state;
    };
    row("source Enter", "source", "Return", u"E/Music/Album; T/Music; list 0"_s);
    row("source Left", "source", "Left", u"E/ top; T/Music; list 0"_s);
    row("source Space", "source", "Space", u"E/Music; T/Music; list 0; popup"_s);
    row("source Insert", "source", "Ins", u"E/Music; T/Music; list 1"_s);
    row("target Ctrl+Left", "target", "Ctrl+Left", u"E/Music; T/ top; list 0"_s);
    // A folder or drive gone since the pane was read: reported, and the pane read anew on the
    // nearest folder left, or on the system drive.
    const QString album = u"E/Music/Album"_s;
    const QString cd1 = u"E/Music/Album/CD1"_s;
    row("source Refresh, folder deleted", "source", "Refresh", u"E/Music; T/Music; list 0; Error"_s,
        cd1, album);
    row("source Up, parent deleted", "source", "Up", u"E/Music; T/Music; list 0; Error"_s, cd1,
        album);
    row("source Up, medium not ready", "source", "Up", u"C/ top; T/Music; list 0; Drive Error"_s,
        album, u"E not ready"_s);
    row("target Enter, folder deleted", "target", "Return", u"E/Music; T/Music; list 0; Error"_s,
        {}, u"T/Music/A"_s);
    row("target Refresh, medium not ready", "target", "Refresh",
        u"E/Music; C/ top; list 0; Drive Error"_s, u"T/Music/A/Sub"_s, u"T not ready"_s);
    row("target Enter, drive removed", "target", "Return",
        u"E/Music; C/ top; list 0; Drive Error"_s, {}, u"T removed"_s);
}

void TestPaneKeys::keys()
{
    QFETCH(QString, pane);
    QFETCH(QString, open);
    QFETCH(QString, action);
    QFETCH(QString, loss);

    Panes p;
    const bool target = pane == u"target"_s;
    DirListBox* folders = target ? p.w->TargetFolderList : p.w->SourceFolderList;
    if (!open.isEmpty())
        folders->setPath(p.f.dir(open));
    folders->setFocus();
    folders->setListIndex(0);
    const QString drive = p.f.dir(loss.left(1));
    if (loss.endsWith(u"not ready"_s))
        p.f.drives->setReady(drive, false);
    else if (loss.endsWith(u"removed"_s))
        p.f.drives->remove(drive);
    else if (!loss.isEmpty())
        QVERIFY(QDir(p.f.dir(loss)).removeRecursively());

    p.f.platform->answer(A::Ok);
    if (action == u"Up"_s) {
        (target ? p.w->TargetUpOneLevel : p.w->SourceUpOneLevel)->click();
    } else if (action == u"Refresh"_s) {
        (target ? p.w->RefreshTargetLists : p.w->RefreshSourceLists)->click();
    } else {
        const QKeyCombination key = QKeySequence(action)[0];
        QTest::keyClick(folders, key.key(), key.keyboardModifiers());
    }
    QTEST(p.state(), "state");
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
    // Drive, free space, count, Clear Disk; Up is on and the drive in use is the one shown.
    const auto shows = [&] {
        return QStringList{w.TargetDriveList->currentText(),
                           w.TargetFreeSpace->text(),
                           w.Label_NumberOfFiles[1]->text(),
                           w.ClearTargetDrive->isEnabled() ? u"clear"_s : QString(),
                           w.TargetUpOneLevel->isEnabled() ? u"up"_s : QString(),
                           f.m->TargetDrive->mountPoint() + u"  [STICK]"_s};
    };
    const QStringList outside{f.system,  u" 1.00 kB"_s, u"Click Refresh"_s,
                              QString(), u"up"_s,       f.system + u"  [STICK]"_s};
    QCOMPARE(shows(), outside);
    w.TargetFolderList->setListIndex(0);
    QTest::keyClick(w.TargetFolderList, Qt::Key_Return);
    QCOMPARE(shows(), (QStringList{stick + u"  [STICK]"_s, u" 2.50 kB"_s, u"2"_s, u"clear"_s,
                                   u"up"_s, stick + u"  [STICK]"_s}));
    w.TargetUpOneLevel->click();
    QCOMPARE(w.TargetFolderList->path(), f.dir(u"C/media"_s));
    QCOMPARE(shows(), outside);

    // On a fixed drive Refresh asks before it counts; one Yes buys one count.
    f.platform->answer(A::No);
    f.platform->answer(A::Yes);
    w.RefreshTargetLists->click();
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"Click Refresh"_s);
    w.RefreshTargetLists->click();
    QCOMPARE(w.Label_NumberOfFiles[1]->text(), u"3"_s);
    QCOMPARE(f.platform->messages().size(), 2);
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
    QCOMPARE(p.w->TargetDriveList->currentText(), p.f.dir(u"T"_s));
    QCOMPARE(p.w->SourceDriveList->count(), 2);
    QCOMPARE(p.state(), u"E/Music; T/Music; list 0"_s);
}

QTEST_MAIN(TestPaneKeys)
#include "tst_panekeys.moc"
