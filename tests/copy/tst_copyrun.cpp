#include "support/MainWindowFixture.h"
#include "support/MessageText.h"

#include "app/SizeText.h"
#include "copy/CopyProgressWindow.h"
#include "mainwindow/SourceListPane.h"
#include "platform/DriveListBox.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "savedlists/SourceListFile.h"
#include "support/TestDrives.h"
#include "support/WithoutReadOverride.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using A = Platform::Answer;

namespace {

// Birth time of a file or folder in nanoseconds, or -1 when the file system does not keep it.
qint64 birth(const QString& path)
{
    struct statx st {};
    if (statx(AT_FDCWD, paths::toNative(path).constData(), AT_SYMLINK_NOFOLLOW, STATX_BTIME, &st) !=
            0 ||
        !(st.stx_mask & STATX_BTIME))
        return -1;
    return qint64(st.stx_btime.tv_sec) * 1000000000 + st.stx_btime.tv_nsec;
}

// Music on the system drive in C/Music, each album with three mp3 files, a picture and a
// subfolder; a stick E, with the target pane open at target and the albums in the Source List.
struct Setup {
    MainWindowFixture f;
    QString stick;
    MainWindow* w = nullptr;
};

QString album(Setup& s, const QString& name)
{
    return s.f.dir(u"C/Music/"_s + name);
}

// The real total of the listed folders, as the window shows it.
QString totalOf(Setup& s, const QStringList& albums)
{
    qint64 total = 0;
    for (const QString& name : albums)
        total += s.f.m->fileSystem.folderSize(album(s, name));
    return FormatWithPrefix(double(total), u"B"_s, 103);
}

void prepare(Setup& s, const QStringList& albums, const QString& target = u"E"_s,
             const QString& fileSystem = {})
{
    s.stick = s.f.dir.mkdir(u"E"_s);
    s.f.drives->add(s.stick, true, u"STICK"_s, fileSystem);
    for (const QString& name : albums) {
        const QString folder = u"C/Music/"_s + name + u'/';
        s.f.dir.file(folder + u"Track 10.mp3"_s, "ten " + paths::toNative(name));
        s.f.dir.file(folder + u"Track 2.mp3"_s, "two " + paths::toNative(name));
        // Several chunks and a byte, with a modification time of its own.
        const QString b = s.f.dir.file(folder + u"b.MP3"_s, QByteArray(2 << 20, 'b') + "b");
        const timespec times[2] = {{1'500'000'000, 0}, {1'400'000'000, 123'456'789}};
        ::utimensat(AT_FDCWD, paths::toNative(b).constData(), times, 0);
        s.f.dir.file(folder + u"cover.jpg"_s);
        s.f.dir.file(folder + u"Extra/deeper.mp3"_s);
        s.f.dir.file(folder + u"._Track 2.mp3"_s, "left by another system");
    }
    s.f.store(u"SourcePath"_s, s.f.dir(u"C/Music"_s));
    s.f.store(u"TargetPath"_s, s.f.dir(target));
    s.w = &s.f.start();
    for (const QString& name : albums)
        child<QListWidget>(*s.w, u"SourceList"_s)->addItem(album(s, name));
}

// Copies the Source List, acting on the progress window while it names the album.
void copyActingAt(Setup& s, const QString& name, const std::function<void(QWidget&)>& act)
{
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* progress = s.w->findChild<CopyProgressWindow*>();
        if (progress && child<QLabel>(*progress, u"Label1"_s)->text() == album(s, name))
            act(*progress);
    });
    timer.start(0);
    Q_EMIT s.w->sourceListPane().copyRequested();
}

} // namespace

class TestCopyRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { useTestModePaths(); }

    void foldersCopiedInListOrderWithPrefix();
    void fatTargetGetsSafeNames_data();
    void fatTargetGetsSafeNames();
    void cancelInTheSecondOfFiveFolders();
    void fullDiskStopsTheRun();
    void targetLostBetweenFolders();
    void runEndsEarly_data();
    void runEndsEarly();
};

void TestCopyRun::foldersCopiedInListOrderWithPrefix()
{
    Setup s;
    s.f.dir.mkdir(u"E/03_Old"_s);
    const QString bjork = paths::fromNative("Bj\xf6rk"); // Latin-1 from an old disk
    prepare(s, {u"Gamma"_s, bjork, u"Beta"_s});
    child<QAction>(*s.w, u"Menu_AddFolderPrefix"_s)->setChecked(true);
    s.f.platform->answer(A::Ok);
    Q_EMIT s.w->sourceListPane().copyRequested();

    QCOMPARE(messageTexts(*s.f.platform),
             QStringList{u"Copy Folders|Confirm copying of 3 folders to "_s + s.stick +
                         u"/.|OkCancel|Question"_s});

    const QStringList made{s.f.dir(u"E/04_Gamma"_s), s.f.dir(u"E/05_"_s + bjork),
                           s.f.dir(u"E/06_Beta"_s)};
    const QStringList files{u"b.MP3"_s, u"Track 2.mp3"_s, u"Track 10.mp3"_s};
    for (const QString& folder : made) {
        QCOMPARE(entriesOf(folder), u"Track 10.mp3 Track 2.mp3 b.MP3"_s);
        QCOMPARE(contentOf(folder + u"/Track 2.mp3"_s),
                 "two " + paths::toNative(folder.section(u'_', -1)));
        QCOMPARE(contentOf(folder + u"/b.MP3"_s), QByteArray(2 << 20, 'b') + "b");
        struct stat st {};
        QCOMPARE(::stat(paths::toNative(folder + u"/b.MP3"_s).constData(), &st), 0);
        QCOMPARE(st.st_mtim.tv_nsec, 123'456'789);
    }
    QCOMPARE(child<QListWidget>(*s.w, u"SourceList"_s)->count(), 0);
    QCOMPARE(itemsOf(child<QListWidget>(*s.w, u"TargetList"_s)),
             QStringList{s.f.dir(u"E/03_Old"_s)} + made);
    QVERIFY(!child<QPushButton>(*s.w, u"CopyFolders"_s)->isEnabled());
    QVERIFY(!s.w->findChild<CopyProgressWindow*>());
    QCOMPARE(child<QLabel>(*s.w, u"Label_NumberOfFiles_1"_s)->text(), u"9"_s);

    // Each folder is made and filled before the next one is begun, its files in name order.
    QList<qint64> order;
    for (const QString& folder : made) {
        order.append(birth(folder));
        for (const QString& file : files)
            order.append(birth(folder + u'/' + file));
    }
    if (order.contains(-1))
        QSKIP("the file system keeps no birth times");
    for (int i = 1; i < order.size(); ++i)
        QVERIFY2(order[i - 1] <= order[i], qPrintable(QString::number(i)));
}

void TestCopyRun::fatTargetGetsSafeNames_data()
{
    QTest::addColumn<bool>("prefixOn");
    QTest::addColumn<QString>("existing"); // a folder on the stick
    QTest::addColumn<QString>("named");    // in the question: the names as written
    QTest::addColumn<QString>("folder");   // as written

    // "Live: Vol 1?" is written "Live_ Vol 1_"; on FAT letter case does not count.
    QTest::newRow("prefix off: merged after the question")
        << false << u"Live_ Vol 1_"_s << u"Target folder   Live_ Vol 1_   already"_s
        << u"Live_ Vol 1_"_s;
    QTest::newRow("prefix on: numbered after the last prefix")
        << true << u"live_ vol 1_"_s
        << u"Folder:   Live_ Vol 1_\nA Target folder with similar name   live_ vol 1_   "_s
        << u"04_Live_ Vol 1_"_s;
}

void TestCopyRun::fatTargetGetsSafeNames()
{
    QFETCH(bool, prefixOn);
    QFETCH(QString, existing);
    QFETCH(QString, named);
    QFETCH(QString, folder);

    Setup s;
    s.f.dir.mkdir(u"E/03_Old"_s);
    s.f.dir.file(u"E/"_s + existing + u"/keep.txt"_s, "keep");
    s.f.dir.file(u"E/"_s + existing + u"/Track 2.mp3"_s, "old");
    s.f.dir.file(u"C/Music/Live: Vol 1?/a:b?.mp3"_s, "ab");
    prepare(s, {u"Live: Vol 1?"_s}, u"E"_s, u"vfat"_s);
    child<QAction>(*s.w, u"Menu_AddFolderPrefix"_s)->setChecked(prefixOn);
    s.f.platform->answer({A::Ok, A::Ok});
    Q_EMIT s.w->sourceListPane().copyRequested();

    QVERIFY(messageTexts(*s.f.platform).value(1).contains(named));
    const QString written = s.f.dir(u"E/"_s + folder);
    QCOMPARE(entriesOf(written), prefixOn ? u"Track 10.mp3 Track 2.mp3 a_b_.mp3 b.MP3"_s
                                          : u"Track 10.mp3 Track 2.mp3 a_b_.mp3 b.MP3 keep.txt"_s);
    QCOMPARE(contentOf(written + u"/a_b_.mp3"_s), QByteArray("ab"));
    QCOMPARE(contentOf(written + u"/Track 2.mp3"_s), QByteArray("two Live: Vol 1?"));
    QVERIFY(itemsOf(child<QListWidget>(*s.w, u"TargetList"_s)).contains(written));
}

void TestCopyRun::cancelInTheSecondOfFiveFolders()
{
    Setup s;
    prepare(s, {u"A1"_s, u"A2"_s, u"A3"_s, u"A4"_s, u"A5"_s});
    child<QAction>(*s.w, u"Menu_UseLogFile"_s)->setChecked(true);
    const QString log = sourcelistfile::defaultName(s.f.m->dataFolder, QDate::currentDate());
    child<QLabel>(*s.w, u"TotalSize"_s)->setText(u" 1.00 kB"_s);
    s.f.platform->answer({A::Ok, A::Ok}); // the question, the cancel message

    copyActingAt(s, u"A2"_s, [](QWidget& progress) {
        auto* cancel = child<QPushButton>(progress, u"Button_CancelCopy"_s);
        if (cancel->isEnabled())
            QTest::mouseClick(cancel, Qt::LeftButton);
    });

    QVERIFY(messageTexts(*s.f.platform).last().startsWith(u"Copying Canceled|"_s));
    QCOMPARE(itemsOf(child<QListWidget>(*s.w, u"SourceList"_s)),
             (QStringList{album(s, u"A3"_s), album(s, u"A4"_s), album(s, u"A5"_s)}));
    QVERIFY(QFileInfo::exists(s.f.dir(u"E/A2"_s)));
    QVERIFY(!QFileInfo::exists(s.f.dir(u"E/A3"_s)));
    // What is left shows its real total, and the buttons follow the list.
    QCOMPARE(child<QLabel>(*s.w, u"TotalSize"_s)->text(), totalOf(s, {u"A3"_s, u"A4"_s, u"A5"_s}));
    QVERIFY(child<QPushButton>(*s.w, u"ClearSourceList"_s)->isEnabled());
    QVERIFY(child<QPushButton>(*s.w, u"CopyFolders"_s)->isEnabled());
    QVERIFY(child<QAction>(*s.w, u"Menu_SaveCurrentSourceList"_s)->isEnabled());

    // The folder cut short is logged.
    QCOMPARE(sourcelistfile::readLines(log),
             (QStringList{album(s, u"A1"_s), album(s, u"A2"_s), sourcelistfile::EndLine,
                          u"Number of mp3 files: "_s +
                              child<QLabel>(*s.w, u"Label_NumberOfFiles_1"_s)->text(),
                          u"TotalSize: 1.00 kB"_s}));
    QFile::remove(log);
}

void TestCopyRun::fullDiskStopsTheRun()
{
    Setup s;
    const QString small = s.f.dir.mkdir(u"E"_s);
    QProcess mount;
    mount.start(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=1m"_s, u"tmpfs"_s, small});
    if (!mount.waitForFinished() || mount.exitCode() != 0)
        QSKIP("this machine does not let the test mount a small tmpfs");
    auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {small}); });

    // The 2 MiB file after a smaller one fills the 1 MiB stick.
    s.f.dir.file(u"C/Music/Big/1.mp3"_s, QByteArray(400 << 10, 'a'));
    prepare(s, {u"Big"_s});
    s.f.platform->answer({A::Ok, A::Ok});
    Q_EMIT s.w->sourceListPane().copyRequested();

    QCOMPARE(messageTexts(*s.f.platform).last(),
             u"Drive Error|Drive "_s + small + u"  [STICK] is full.|Ok|Critical"_s);
    QCOMPARE(entriesOf(small + u"/Big"_s), u"1.mp3"_s);
    QCOMPARE(itemsOf(child<QListWidget>(*s.w, u"SourceList"_s)), QStringList{album(s, u"Big"_s)});
    QVERIFY(s.w->centralWidget()->isEnabled());
    QVERIFY(!child<QPushButton>(*s.w, u"CopyFolders"_s)->isHidden());
    QVERIFY(!child<QPushButton>(*s.w, u"CopyFolders"_s)->isEnabled()); // the folder does not fit
    QCOMPARE(child<QLabel>(*s.w, u"TotalSize"_s)->text(), totalOf(s, {u"Big"_s}));
}

void TestCopyRun::targetLostBetweenFolders()
{
    Setup s;
    prepare(s, {u"A"_s, u"B"_s, u"C"_s});
    s.f.platform->answer({A::Ok, A::Ok});

    // The stick goes as the second folder begins; its mount point stays behind, empty.
    copyActingAt(s, u"B"_s, [&s](QWidget&) {
        if (s.f.drives->isReady(s.stick)) {
            s.f.drives->remove(s.stick);
            QVERIFY(QDir().rename(s.stick, s.f.dir(u"pulled"_s)));
            s.f.dir.mkdir(u"E"_s);
        }
    });

    QCOMPARE(messageTexts(*s.f.platform).last(),
             u"Drive Error|Drive "_s + s.stick + u"  [STICK] not ready.|Ok|Critical"_s);
    QCOMPARE(entriesOf(s.stick), QString());
    QCOMPARE(entriesOf(s.f.dir(u"pulled"_s)), u"A"_s);
    QCOMPARE(itemsOf(child<QListWidget>(*s.w, u"SourceList"_s)),
             (QStringList{album(s, u"B"_s), album(s, u"C"_s)}));
    QCOMPARE(child<QLabel>(*s.w, u"TotalSize"_s)->text(), totalOf(s, {u"B"_s, u"C"_s}));
    QCOMPARE(child<DriveListBox>(*s.w, u"TargetDriveList"_s)->drive(), s.f.system);
}

void TestCopyRun::runEndsEarly_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("last"); // %1: the temporary tree, %2: the data folder; * any text
    QTest::addColumn<int>("left");     // in the Source List
    QTest::addColumn<QString>("made"); // in the target folder

    QTest::newRow("fixed drive, No")
        << u"fixed"_s << u"No"_s << u"Fixed Drive|*|YesNo|Question"_s << 3 << QString();
    // Without the prefix, two listed folders of one name would be merged into one.
    QTest::newRow("listed twice, Cancel")
        << u"twice"_s << u"Ok Cancel"_s
        << u"Duplicate folder|Target folder   A   already exists !*"_s << 4 << QString();
    // A missing folder keeps its place in the numbering.
    QTest::newRow("one missing") << u"missing B"_s << u"Ok Ok"_s
                                 << u"Error|\n%1/C/Music/B could not be found.|Ok|None"_s << 0
                                 << u"00_A 02_C"_s;
    // A folder that is there but cannot be read is no missing folder.
    QTest::newRow("unreadable folder")
        << u"unreadable"_s << u"Ok Ok"_s
        << u"Copy Error|Could not copy  %1/C/Music/B\nPermission denied|Ok|Critical"_s << 2
        << u"A"_s;
    QTest::newRow("a file where the folder would go")
        << u"blocked"_s << u"Ok Ok"_s
        << u"Copy Error|Could not copy  %1/E/A\nNot a directory|Ok|Critical"_s << 3 << u"A"_s;
    QTest::newRow("log cannot be created")
        << u"log"_s << u"Ok Ok"_s
        << u"Copy Error|Could not create the copy log  %2*\nNothing copied.|Ok|Critical"_s << 3
        << QString();
}

void TestCopyRun::runEndsEarly()
{
    QFETCH(QString, setup);
    QFETCH(QString, answers);
    QFETCH(QString, last);
    QFETCH(int, left);
    QFETCH(QString, made);

    Setup s;
    const QString target = setup == u"fixed"_s ? u"C/Out"_s : u"E"_s;
    s.f.dir.mkdir(target);
    if (setup == u"blocked"_s)
        s.f.dir.file(u"E/A"_s, "a file where the folder would go");
    prepare(s, {u"A"_s, u"B"_s, u"C"_s}, target);
    if (setup == u"twice"_s) {
        s.f.dir.file(u"Other/A/1.mp3"_s);
        child<QListWidget>(*s.w, u"SourceList"_s)->addItem(s.f.dir(u"Other/A"_s));
    }
    child<QAction>(*s.w, u"Menu_AddFolderPrefix"_s)->setChecked(setup.startsWith(u"missing"_s));
    for (const QString& name : setup.split(u' ').mid(1))
        QDir(album(s, name)).removeRecursively();
    child<QAction>(*s.w, u"Menu_UseLogFile"_s)->setChecked(setup == u"log"_s);
    if (setup == u"log"_s)
        s.f.m->dataFolder = s.f.dir(u"NoSuchFolder"_s);
    const QByteArray unreadable = paths::toNative(album(s, u"B"_s));
    if (setup == u"unreadable"_s)
        ::chmod(unreadable.constData(), 0);
    const auto restore = qScopeGuard([&] { ::chmod(unreadable.constData(), 0755); });
    for (const QString& answer : answers.split(u' '))
        s.f.platform->answer(answer == u"Ok"_s ? A::Ok : answer == u"No"_s ? A::No : A::Cancel);
    {
        const WithoutReadOverride asUser;
        if (setup == u"unreadable"_s && folders::canOpen(album(s, u"B"_s)))
            QSKIP("this machine reads folders without permissions");
        Q_EMIT s.w->sourceListPane().copyRequested();
    }

    const QStringList pattern = QString(last)
                                    .replace(u"%1"_s, s.f.dir.path())
                                    .replace(u"%2"_s, s.f.m->dataFolder)
                                    .split(u'*');
    const QString message = messageTexts(*s.f.platform).last();
    QVERIFY2(message.startsWith(pattern.first()) && message.endsWith(pattern.last()),
             qPrintable(message));
    QCOMPARE(s.f.platform->unansweredLeft(), 0);
    QCOMPARE(child<QListWidget>(*s.w, u"SourceList"_s)->count(), left);
    QCOMPARE(entriesOf(s.f.dir(target)), made);
    QVERIFY(s.w->centralWidget()->isEnabled());
    QVERIFY(!child<QPushButton>(*s.w, u"CopyFolders"_s)->isHidden());
    QVERIFY(child<QProgressBar>(*s.w, u"ProgressBar1"_s)->isHidden());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

QTEST_MAIN(TestCopyRun)
#include "tst_copyrun.moc"
