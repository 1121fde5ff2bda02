#include "support/MainWindowFixture.h"

#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FileListBox.h"
#include "viewer/FileViewerDialog.h"
#include "viewer/PlayerDialog.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Source drive E at E/Music, target drive T at T/Music, both removable.
MainWindow& start(MainWindowFixture& f)
{
    f.addDrive(u"E"_s, true);
    f.addDrive(u"T"_s, true);
    f.dir.create({u"E/Music/Album/a.mp3"_s, u"E/Music/No/a.jpg"_s, u"T/Music/Album/a.mp3"_s});
    f.store(u"SourcePath"_s, f.dir(u"E/Music"_s));
    f.store(u"TargetPath"_s, f.dir(u"T/Music"_s));
    return f.start();
}

// Highlights the folder in pane 0-3 and makes that pane the active one.
void highlight(MainWindowFixture& f, int pane, const QString& relative)
{
    const QString folder = f.dir(relative);
    DirListBox* folders = pane == 0 ? child<DirListBox>(*f.window, u"SourceFolderList"_s)
                                    : child<DirListBox>(*f.window, u"TargetFolderList"_s);
    for (int i = 0; i < folders->listCount(); ++i)
        if (folders->list(i) == folder && pane != 3)
            folders->setListIndex(i);
    QListWidget* list = pane == 1 ? child<QListWidget>(*f.window, u"SourceList"_s)
                                  : child<QListWidget>(*f.window, u"TargetList"_s);
    if (pane == 1)
        list->addItem(folder);
    list->setCurrentItem(list->findItems(folder, Qt::MatchExactly).value(0));
    f.m->activePane = Pane(pane);
}

// Opens the viewer; once open, records its caption and files, presses Enter on the first file,
// and whether the viewer stays open, then closes it.
QStringList viewAndPlay(MainWindow& w)
{
    QStringList seen;
    QTimer::singleShot(0, &w, [&seen] {
        if (auto* v = qobject_cast<FileViewerDialog*>(QApplication::activeModalWidget())) {
            auto* files = child<FileListBox>(*v, u"File1"_s);
            seen = QStringList{v->windowTitle()} + files->files();
            QTest::keyClick(files, Qt::Key_Return);
            seen.append(v->isVisible() ? u"open"_s : u"closed"_s);
            v->close();
        }
    });
    child<QAction>(w, u"Menu_OpenPlay"_s)->trigger();
    return seen;
}

enum class Failure { NoMp3, Deleted, NotReady, Unmounted, Other };
enum class After { Nothing, Reread, Removed, SourceDrives, TargetDrives }; // folders, Source List

} // namespace

class TestViewer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }
    void plays();
    void openingFailures_data();
    void openingFailures();
    void playerChoice();
};

// Only mp3 files are listed. The system player opens a byte-odd file name; a chosen player gets
// it as one argument, and when it does not start no message shows (it would fail the scripted
// desktop).
void TestViewer::plays()
{
    MainWindowFixture f;
    MainWindow& w = start(f);
    const QString file = f.dir.file(u"E/Music/Odd/-x \"quoted\" name.mp3"_s);
    f.dir.create({u"C/my \"player\" -v"_s, u"E/Music/Odd/notes.txt"_s});
    highlight(f, 1, u"E/Music/Odd"_s);
    const QStringList seen{u"View / Play files:  Odd"_s, u"-x \"quoted\" name.mp3"_s, u"open"_s};
    QCOMPARE(viewAndPlay(w), seen);
    f.m->playerPath = f.dir(u"C/my \"player\" -v"_s);
    f.platform->setStartSucceeds(false);
    QCOMPARE(viewAndPlay(w), seen);
    QCOMPARE(f.platform->openedUrls(), QList<QUrl>{QUrl::fromLocalFile(file)});
    QCOMPARE(f.platform->started().value(0).program, f.m->playerPath);
    QCOMPARE(f.platform->started().value(0).arguments, QStringList{file});
}

// The messages compose the same way in both languages: checked in Swedish.
void TestViewer::openingFailures_data()
{
    QTest::addColumn<int>("pane");
    QTest::addColumn<Failure>("failure");
    QTest::addColumn<QString>("message"); // with <folder> and <drive>
    QTest::addColumn<After>("after");

    const QString missing = u"<folder>  existerar inte."_s;
    const QString notReady = u"Enhet <drive> äe ej tillgänglig."_s;
    QTest::newRow("no mp3 files") << 0 << Failure::NoMp3
                                  << u"<folder>  innehåller inga mp3-filer."_s << After::Nothing;
    QTest::newRow("deleted, source folders") << 0 << Failure::Deleted << missing << After::Reread;
    QTest::newRow("deleted, Source List") << 1 << Failure::Deleted << missing << After::Removed;
    QTest::newRow("deleted, target list") << 3 << Failure::Deleted << missing << After::Reread;
    QTest::newRow("not ready") << 1 << Failure::NotReady << notReady << After::SourceDrives;
    // Pulled out: the drive is gone from the drive table, the drive lists still show it.
    QTest::newRow("unmounted") << 2 << Failure::Unmounted << notReady << After::TargetDrives;
    QTest::newRow("unreadable") << 1 << Failure::Other << u"Okänt fel."_s << After::Nothing;
}

void TestViewer::openingFailures()
{
    QFETCH(int, pane);
    QFETCH(Failure, failure);
    QFETCH(QString, message);
    QFETCH(After, after);

    MainWindowFixture f;
    MainWindow& w = start(f);
    f.m->swedish = true;
    const QString drive = pane >= 2 ? u"T"_s : u"E"_s;
    QString folder = drive + (failure == Failure::NoMp3 ? u"/Music/No"_s : u"/Music/Album"_s);
    if (failure == Failure::Other) {
        // A link to itself: the folder can be neither found missing nor read.
        folder = u"E/Music/Loop"_s;
        QVERIFY(QFile::link(f.dir(folder), f.dir(folder)));
    }
    highlight(f, pane, folder);
    if (failure == Failure::Deleted)
        QVERIFY(QDir(f.dir(folder)).removeRecursively());
    else if (failure == Failure::NotReady)
        f.drives->setReady(f.dir(drive), false);
    else if (failure == Failure::Unmounted)
        f.drives->remove(f.dir(drive));
    // A drive that comes after the start shows in a drive list only once the list is read anew.
    const QString added = f.addDrive(u"F"_s, true);
    f.platform->answer(Platform::Answer::Ok);

    QCOMPARE(viewAndPlay(w), QStringList());
    message.replace(u"<folder>"_s, f.dir(folder)).replace(u"<drive>"_s, f.dir(drive));
    QCOMPARE(f.platform->messages().value(0).text, message);
    const DirListBox* folders = pane >= 2 ? child<DirListBox>(w, u"TargetFolderList"_s)
                                          : child<DirListBox>(w, u"SourceFolderList"_s);
    QCOMPARE(folders->list(0) == f.dir(drive + u"/Music/Album"_s), after != After::Reread);
    QCOMPARE(child<QListWidget>(w, u"SourceList"_s)->count(),
             pane == 1 && after != After::Removed ? 1 : 0);
    QCOMPARE(child<QListWidget>(w, u"TargetList"_s)->count(),
             child<DirListBox>(w, u"TargetFolderList"_s)->listCount());
    QCOMPARE(child<DriveListBox>(w, u"SourceDriveList"_s)->findData(added) >= 0,
             after == After::SourceDrives);
    QCOMPARE(child<DriveListBox>(w, u"TargetDriveList"_s)->findData(added) >= 0,
             after == After::TargetDrives);
}

// The option, cancelled, goes back to the system's player. Cancel restores the player at the
// start; OK keeps the choice, marks a change and is stored at close.
void TestViewer::playerChoice()
{
    MainWindowFixture f;
    MainWindow& w = start(f);
    f.m->playerPath = u"/usr/bin/vlc"_s;
    for (const bool ok : {false, true}) {
        PlayerDialog form(*f.m, *child<QAction>(w, u"Menu_Player"_s), &w);
        form.show();
        auto* desktopPlayer = child<QRadioButton>(form, u"Option_WinMediaPlayer"_s);
        auto* otherPlayer = child<QRadioButton>(form, u"Option_OptionalPlayer"_s);
        desktopPlayer->click();
        f.platform->answerFileDialog(std::nullopt);
        otherPlayer->click();
        QVERIFY(desktopPlayer->isChecked() && f.m->playerPath.isEmpty());
        f.platform->answerFileDialog(u"/usr/bin/mpv"_s);
        otherPlayer->click();
        child<QPushButton>(form, ok ? u"Command_OK"_s : u"Command_Cancel"_s)->click();
        QCOMPARE(f.m->playerPath, ok ? u"/usr/bin/mpv"_s : u"/usr/bin/vlc"_s);
        QCOMPARE(f.m->hasChanged(AppContext::Setting::Player), ok);
    }
    QVERIFY(w.close());
    QCOMPARE(MainWindowFixture::stored(u"Player"_s), u"/usr/bin/mpv"_s);
}

QTEST_MAIN(TestViewer)
#include "tst_viewer.moc"
