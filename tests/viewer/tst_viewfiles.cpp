#include "support/MainFormFixture.h"
#include "support/MessageText.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FileListBox.h"
#include "viewer/ViewFiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Watches for the viewer: once it shows, records what it shows, acts on it and closes it if it
// is still open.
struct ViewerWatch : QObject {
    struct Seen {
        QString texts; // caption, label, button
        QStringList files;
        int selected;
        bool modal;
        bool openAfterwards = false;
    };

    explicit ViewerWatch(std::function<void(ViewFiles&)> act = {})
        : act(std::move(act))
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* viewer = qobject_cast<ViewFiles*>(watched);
        if (viewer && event->type() == QEvent::Show)
            QTimer::singleShot(0, viewer, [this, viewer] {
                Seen s{viewer->windowTitle() + u'|' + viewer->Label1->text() + u'|' +
                           viewer->Button_OK->text(),
                       viewer->File1->files(), viewer->File1->listIndex(),
                       QApplication::activeModalWidget() == viewer};
                if (act)
                    act(*viewer);
                s.openAfterwards = viewer->isVisible();
                seen.append(s);
                viewer->close();
            });
        return false;
    }

    std::function<void(ViewFiles&)> act;
    QList<Seen> seen;
};

// Source drive E at E/Music, target drive T at T/Music, both removable. "Album" on each side
// holds two mp3 files, one with the extension in capitals, and a text file.
struct Program {
    explicit Program(bool swedish = false)
    {
        f.addDrive(u"E"_s, true);
        f.addDrive(u"T"_s, true);
        f.dir.create({u"E/top.mp3"_s, u"E/Music/Album/a.mp3"_s, u"E/Music/Album/B.MP3"_s,
                      u"E/Music/Album/notes.txt"_s, u"E/Music/No Mp3/cover.jpg"_s,
                      u"T/Music/Album/a.mp3"_s, u"T/Music/Album/B.MP3"_s,
                      u"T/Music/Album/notes.txt"_s, u"T/Music/No Mp3/cover.jpg"_s});
        f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
        f.store(u"TargetPath"_s, f.dir(u"T/Music"_s));
        if (swedish)
            f.store(u"Swedish"_s, u"1"_s);
        w = &f.start();
    }
    // Highlights the folder in the pane and makes the pane the active one.
    void highlight(int pane, const QString& relative)
    {
        const QString folder = f.dir(relative);
        if (pane == 0 || pane == 2) {
            DirListBox* list = pane == 0 ? w->SourceFolderList : w->TargetFolderList;
            if (folder.endsWith(u'/')) // a drive root is made the open folder
                list->setPath(folder);
            for (int i = -1; i < list->listCount(); ++i)
                if (list->list(i) == folder)
                    list->setListIndex(i);
            QCOMPARE(list->list(list->listIndex()), folder);
        } else {
            QListWidget* list = pane == 1 ? w->SourceList : w->TargetList;
            if (pane == 1)
                list->addItem(folder);
            const QList<QListWidgetItem*> items = list->findItems(folder, Qt::MatchExactly);
            QCOMPARE(items.size(), 1);
            list->setCurrentItem(items.first());
        }
        f.m->ActivePane = qint16(pane);
    }

    MainFormFixture f;
    MainForm* w = nullptr;
};

const char* const panes[] = {"source folders", "Source List", "target folders", "target list"};

} // namespace

class TestViewFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void listsAndPlays_data();
    void listsAndPlays();
    void openingFailures_data();
    void openingFailures();
    void externalPlayerAndFileManager();
};

void TestViewFiles::listsAndPlays_data()
{
    QTest::addColumn<int>("pane");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("action"); // on the second file
    QTest::addColumn<bool>("swedish");

    for (int pane = 0; pane < 4; ++pane) {
        const QString folder = pane < 2 ? u"E/Music/Album"_s : u"T/Music/Album"_s;
        for (const QString& action : {u"Enter"_s, u"double click"_s})
            QTest::addRow("%s, %s", panes[pane], qPrintable(action))
                << pane << folder << action << false;
    }
    QTest::newRow("drive root, closed by Esc") << 0 << u"E/"_s << u"Esc"_s << false;
    QTest::newRow("closed by the title bar, Swedish")
        << 2 << u"T/Music/Album"_s << u"title bar"_s << true;
}

void TestViewFiles::listsAndPlays()
{
    QFETCH(int, pane);
    QFETCH(QString, folder);
    QFETCH(QString, action);
    QFETCH(bool, swedish);

    Program p(swedish);
    p.highlight(pane, folder);
    ViewerWatch watch([&](ViewFiles& v) {
        const QPoint at = v.File1->visualItemRect(v.File1->item(1)).center();
        if (action == u"double click"_s) {
            QTest::mouseClick(v.File1->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(v.File1->viewport(), Qt::LeftButton, {}, at);
        } else if (action == u"Enter"_s) {
            QTest::keyClick(v.File1, Qt::Key_Down);
            QTest::keyClick(v.File1, Qt::Key_Return);
        } else if (action == u"Esc"_s) {
            QTest::keyClick(v.File1, Qt::Key_Escape);
        } else if (action == u"Close"_s) {
            QTest::mouseClick(v.Button_OK, Qt::LeftButton);
        } else {
            v.close();
        }
    });
    p.w->ShowFileViewer();

    const bool played = action == u"Enter"_s || action == u"double click"_s;
    QCOMPARE(watch.seen.size(), 1);
    const ViewerWatch::Seen& seen = watch.seen.first();
    const QString texts =
        swedish ? u"Visa / Spela filer:  %1|Tryck Enter eller Dubbelklicka på en fil för att "
                  u"spela upp  -  Esc för att stänga|&Stäng"_s
                : u"View / Play files:  %1|Enter or Double click on a file to play  -  Esc to "
                  u"exit|&Close"_s;
    const bool root = folder == u"E/"_s;
    QCOMPARE(seen.texts, texts.arg(root ? QString() : u"Album"_s));
    QCOMPARE(seen.files, root ? QStringList{u"top.mp3"_s} : (QStringList{u"a.mp3"_s, u"B.MP3"_s}));
    QCOMPARE(seen.selected, 0);
    QVERIFY(seen.modal);
    QCOMPARE(seen.openAfterwards, played);
    QCOMPARE(p.f.platform->openedUrls(),
             played ? QList<QUrl>{QUrl::fromLocalFile(p.f.dir(folder + u"/B.MP3"_s))}
                    : QList<QUrl>{});
    QVERIFY(p.f.platform->started().isEmpty());
    QVERIFY(p.w->findChildren<ViewFiles*>().isEmpty());
}

enum class Failure { NoMp3, Deleted, NotReady, Unmounted, Other };
enum class After { Nothing, SourceReread, EntryRemoved, TargetReread, SourceDrives, TargetDrives };

void TestViewFiles::openingFailures_data()
{
    QTest::addColumn<int>("pane");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<bool>("swedish");
    QTest::addColumn<QString>("message"); // with <folder> and <drive>
    QTest::addColumn<After>("after");

    const QString noMp3 = u"Error|<folder>  doesn't contain any mp3-files.|Ok|None"_s;
    const QString missing = u"Error|<folder>  doesn't exist.|Ok|None"_s;
    const QString notReady = u"Error|Device <drive> is not ready.|Ok|None"_s;
    const QString unknown = u"Error|Unknown error.|Ok|None"_s;
    const After reread[] = {After::SourceReread, After::EntryRemoved, After::TargetReread,
                            After::TargetReread};
    for (int pane = 0; pane < 4; ++pane) {
        QTest::addRow("%s, no mp3 files", panes[pane])
            << pane << Failure::NoMp3 << false << noMp3 << After::Nothing;
        QTest::addRow("%s, deleted", panes[pane])
            << pane << Failure::Deleted << false << missing << reread[pane];
        QTest::addRow("%s, not ready", panes[pane])
            << pane << Failure::NotReady << false << notReady
            << (pane < 2 ? After::SourceDrives : After::TargetDrives);
        // Pulled out: the drive is gone from the drive table, the drive lists still show it.
        QTest::addRow("%s, unmounted", panes[pane])
            << pane << Failure::Unmounted << false << notReady
            << (pane < 2 ? After::SourceDrives : After::TargetDrives);
    }
    QTest::newRow("Source List, unreadable")
        << 1 << Failure::Other << false << unknown << After::Nothing;
    QTest::newRow("Swedish, no mp3 files")
        << 0 << Failure::NoMp3 << true << u"Error|<folder>  innehåller inga mp3-filer.|Ok|None"_s
        << After::Nothing;
    QTest::newRow("Swedish, deleted")
        << 1 << Failure::Deleted << true << u"Error|<folder>  existerar inte.|Ok|None"_s
        << After::EntryRemoved;
    QTest::newRow("Swedish, not ready")
        << 3 << Failure::NotReady << true << u"Error|Enhet <drive> äe ej tillgänglig.|Ok|None"_s
        << After::TargetDrives;
}

void TestViewFiles::openingFailures()
{
    QFETCH(int, pane);
    QFETCH(Failure, failure);
    QFETCH(bool, swedish);
    QFETCH(QString, message);
    QFETCH(After, after);

    Program p(swedish);
    const bool target = pane >= 2;
    const QString drive = target ? u"T"_s : u"E"_s;
    QString folder = drive + (failure == Failure::NoMp3 ? u"/Music/No Mp3"_s : u"/Music/Album"_s);
    if (failure == Failure::Other) {
        // A link to itself: the folder can be neither found missing nor read.
        folder = u"E/Music/Loop"_s;
        QVERIFY(QFile::link(p.f.dir(folder), p.f.dir(folder)));
    }
    p.highlight(pane, folder);
    const int sourceCount = p.w->SourceList->count();
    if (failure == Failure::Deleted)
        QVERIFY(QDir(p.f.dir(folder)).removeRecursively());
    else if (failure == Failure::NotReady)
        p.f.drives->setReady(p.f.dir(drive), false);
    else if (failure == Failure::Unmounted)
        p.f.drives->remove(p.f.dir(drive));
    // A drive that comes after the start shows in a drive list only once the list is read anew.
    p.f.addDrive(u"F"_s, true);

    ViewerWatch watch;
    p.f.platform->answer(Platform::Answer::Ok);
    p.w->ShowFileViewer();

    message.replace(u"<folder>"_s, p.f.dir(folder)).replace(u"<drive>"_s, p.f.dir(drive));
    QCOMPARE(messageTexts(*p.f.platform), QStringList{message});
    QVERIFY(watch.seen.isEmpty());
    QVERIFY(p.w->findChildren<ViewFiles*>().isEmpty());

    const DirListBox* folders = target ? p.w->TargetFolderList : p.w->SourceFolderList;
    const bool listed = folders->list(0) == p.f.dir(drive + u"/Music/Album"_s);
    QCOMPARE(listed, after != After::SourceReread && after != After::TargetReread);
    QCOMPARE(p.w->SourceList->count(),
             after == After::EntryRemoved ? sourceCount - 1 : sourceCount);
    QCOMPARE(p.w->TargetList->count(), p.w->TargetFolderList->listCount());
    const QString added = p.f.dir(u"F"_s);
    QCOMPARE(p.w->SourceDriveList->findData(added) >= 0, after == After::SourceDrives);
    QCOMPARE(p.w->TargetDriveList->findData(added) >= 0, after == After::TargetDrives);
}

void TestViewFiles::externalPlayerAndFileManager()
{
    // A player that cannot start shows no message: the scripted desktop would fail the test.
    for (const bool starts : {true, false}) {
        Program p;
        const QString player = p.f.dir(u"C/Program Files/my \"player\" -v"_s);
        const QString file = p.f.dir(u"E/Music/Odd/-x \"quoted\" name.mp3"_s);
        p.f.dir.create(
            {u"C/Program Files/my \"player\" -v"_s, u"E/Music/Odd/-x \"quoted\" name.mp3"_s});
        p.f.m->PlayerPath = player;
        p.f.platform->setStartSucceeds(starts);
        p.highlight(1, u"E/Music/Odd"_s);
        ViewerWatch watch(
            [](ViewFiles& v) { QTest::keyClick(v.File1, Qt::Key_Enter, Qt::KeypadModifier); });
        p.w->ShowFileViewer();

        QCOMPARE(watch.seen.size(), 1);
        QVERIFY(watch.seen.first().openAfterwards);
        QCOMPARE(p.f.platform->started().size(), 1);
        QCOMPARE(p.f.platform->started().first().program, player);
        QCOMPARE(p.f.platform->started().first().arguments, QStringList{file});
        QVERIFY(p.f.platform->openedUrls().isEmpty());

        // The file manager gets a folder with a blank.
        p.highlight(0, u"E/Music/No Mp3"_s);
        p.w->Menu_OpenExplorer->trigger();
        QCOMPARE(p.f.platform->openedUrls(),
                 QList<QUrl>{QUrl::fromLocalFile(p.f.dir(u"E/Music/No Mp3"_s))});
    }
}

QTEST_MAIN(TestViewFiles)
#include "tst_viewfiles.moc"
