#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FileListBox.h"
#include "platform/FsError.h"
#include "support/TestDir.h"
#include "support/TestDrives.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FsErrorKind)

namespace {

// Runs the call and hands back the FsError it throws; none when it returns normally.
template <typename Call> std::optional<FsError> errorOf(Call call)
{
    try {
        call();
    } catch (const FsError& e) {
        return e;
    }
    return std::nullopt;
}

// Three drives in a temporary folder: "sys" (the system drive), "usb" labelled MUSIC with a
// music tree, and "cd" without label. The drive list shows them as cd, sys, usb.
struct Machine {
    Machine()
    {
        dir.create({u"sys/"_s, u"cd/Data/"_s, u"usb/Other/"_s, u"usb/Music/Album/Disc 1/1.mp3"_s,
                    u"usb/Music/CD 10/"_s, u"usb/Music/CD 2/"_s, u"usb/Music/cd 1/"_s,
                    u"usb/Music/.hidden/"_s, u"usb/Music/readme.txt"_s});
        QFile::link(dir(u"usb/Music/Album"_s), dir(u"usb/Music/Linked"_s));
        drives.addSystem(dir(u"sys"_s));
        drives.add(dir(u"usb"_s), true, u"MUSIC"_s);
        drives.add(dir(u"cd"_s), true);
    }

    // Full paths of names in a folder of the temporary folder.
    QStringList paths(const QString& folder, const QStringList& names) const
    {
        QStringList list;
        for (const QString& name : names)
            list.append(QDir::cleanPath(dir(folder + u'/' + name)));
        return list;
    }

    TestDir dir;
    TestDrives drives;
};

const QStringList musicFolders{u"Album"_s, u"cd 1"_s, u"CD 2"_s, u"CD 10"_s};

template <typename Box> QStringList entriesOf(const Box& box)
{
    QStringList list;
    for (int i = 0; i < box.listCount(); ++i)
        list.append(box.list(i));
    return list;
}

// What a double click delivers: press and release, then the second press comes as a double click
// and its release. QTest's mouseDClick sends the double click event alone.
void doubleClick(QWidget* widget, QPoint at)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

} // namespace

class TestListControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void driveListStartsOnTheCurrentFolder_data();
    void driveListStartsOnTheCurrentFolder();
    void setDrive_data();
    void setDrive();
    void userChoiceTellsARealChange_data();
    void userChoiceTellsARealChange();
    void driveListRefreshKeepsTheDrive();

    void dirListShowsAncestorsAndSubfolders_data();
    void dirListShowsAncestorsAndSubfolders();
    void dirListSetPathFails_data();
    void dirListSetPathFails();
    void dirListIndexRefreshAndChanges();
    void dirListDoubleClick_data();
    void dirListDoubleClick();

    void fileListMatchesThePattern_data();
    void fileListMatchesThePattern();
    void fileListPatternChangeAndMissingFolder();

private:
    QString m_startFolder;
};

void TestListControls::initTestCase()
{
    // The drive list starts on the drive of the current folder: here outside every test drive,
    // so it starts on the system drive.
    m_startFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(QDir::rootPath()));
}

void TestListControls::cleanupTestCase()
{
    QDir::setCurrent(m_startFolder);
}

void TestListControls::driveListStartsOnTheCurrentFolder_data()
{
    QTest::addColumn<QString>("current"); // in the temporary folder
    QTest::addColumn<QString>("drive");   // mount point in the temporary folder

    QTest::newRow("folder on a drive") << u"usb/Music"_s << u"usb"_s;
    QTest::newRow("drive root") << u"cd"_s << u"cd"_s;
    QTest::newRow("outside every drive") << QString() << u"sys"_s;
}

void TestListControls::driveListStartsOnTheCurrentFolder()
{
    QFETCH(QString, current);
    QFETCH(QString, drive);

    Machine m;
    const auto restore = qScopeGuard([] { QDir::setCurrent(QDir::rootPath()); });
    QVERIFY(QDir::setCurrent(m.dir(current)));

    const DriveListBox box(m.drives, nullptr);
    QCOMPARE(box.count(), 3);
    QCOMPARE(box.itemText(0), m.dir(u"cd"_s));
    QCOMPARE(box.itemText(1), m.dir(u"sys"_s));
    QCOMPARE(box.itemText(2), m.dir(u"usb"_s) + u"  [MUSIC]"_s);
    QCOMPARE(box.mountPoint(), m.dir(drive));
    QCOMPARE(box.currentData().toString(), m.dir(drive));
}

void TestListControls::setDrive_data()
{
    QTest::addColumn<QString>("given");    // in the temporary folder
    QTest::addColumn<QString>("notReady"); // drive marked not ready, if any
    QTest::addColumn<QString>("shown");    // drive text afterwards; empty when setting fails
    QTest::addColumn<int>("changes");

    QTest::newRow("by mount point") << u"usb"_s << QString() << u"usb  [MUSIC]"_s << 1;
    QTest::newRow("by drive text") << u"usb  [MUSIC]"_s << QString() << u"usb  [MUSIC]"_s << 1;
    QTest::newRow("drive without label") << u"cd"_s << QString() << u"cd"_s << 1;
    QTest::newRow("the drive shown already") << u"sys"_s << QString() << u"sys"_s << 0;
    QTest::newRow("folder that is no drive") << u"usb/Music"_s << QString() << QString() << 0;
    QTest::newRow("unknown drive text") << u"dvd  [FILMS]"_s << QString() << QString() << 0;
    QTest::newRow("drive not ready") << u"cd"_s << u"cd"_s << QString() << 0;
    QTest::newRow("drive text of a drive not ready")
        << u"usb  [MUSIC]"_s << u"usb"_s << QString() << 0;
}

void TestListControls::setDrive()
{
    QFETCH(QString, given);
    QFETCH(QString, notReady);
    QFETCH(QString, shown);
    QFETCH(int, changes);

    Machine m;
    if (!notReady.isEmpty())
        m.drives.setReady(m.dir(notReady), false);
    DriveListBox box(m.drives, nullptr);
    const int row = box.currentIndex();
    const QSignalSpy changed(&box, &DriveListBox::changed);

    const auto error = errorOf([&] { box.setDrive(m.dir(given)); });
    QCOMPARE(changed.count(), changes);
    if (shown.isEmpty()) {
        QVERIFY(error);
        QCOMPARE(error->kind(), FsErrorKind::DeviceUnavailable);
        QCOMPARE(box.drive(), m.dir(u"sys"_s));
        QCOMPARE(box.currentIndex(), row);
        return;
    }
    QVERIFY(!error);
    QCOMPARE(box.drive(), m.dir(shown));
    QCOMPARE(box.currentText(), m.dir(shown));
    QCOMPARE(box.mountPoint(), m.dir(shown.section(u' ', 0, 0)));
    box.setDrive(m.dir(given));
    QCOMPARE(changed.count(), changes);
}

void TestListControls::userChoiceTellsARealChange_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("ready");
    QTest::addColumn<int>("changes");

    QTest::newRow("ready drive") << u"usb"_s << true << 1;
    QTest::newRow("drive not ready") << u"usb"_s << false << 1;
    QTest::newRow("the drive shown already") << u"sys"_s << true << 0;
}

// The user's choice is taken as it is: the window tells when the drive cannot be read.
void TestListControls::userChoiceTellsARealChange()
{
    QFETCH(QString, chosen);
    QFETCH(bool, ready);
    QFETCH(int, changes);

    Machine m;
    m.drives.setReady(m.dir(chosen), ready);
    DriveListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DriveListBox::changed);

    const int row = box.findData(m.dir(chosen));
    box.setCurrentIndex(row);
    QMetaObject::invokeMethod(&box, "activated", Q_ARG(int, row));
    QCOMPARE(changed.count(), changes);
    QCOMPARE(box.drive(), box.itemText(row));
    QCOMPARE(box.mountPoint(), m.dir(chosen));
}

void TestListControls::driveListRefreshKeepsTheDrive()
{
    Machine m;
    DriveListBox box(m.drives, nullptr);
    box.setDrive(m.dir(u"usb"_s));
    const QSignalSpy changed(&box, &DriveListBox::changed);

    // The new drive comes first in the list, so the selected one moves down a row.
    m.drives.add(m.dir.mkdir(u"another"_s), true, u"NEW"_s);
    box.refresh();

    QCOMPARE(box.count(), 4);
    QCOMPARE(box.itemText(0), m.dir(u"another"_s) + u"  [NEW]"_s);
    QCOMPARE(box.drive(), m.dir(u"usb  [MUSIC]"_s));
    QCOMPARE(box.currentText(), m.dir(u"usb  [MUSIC]"_s));
    QCOMPARE(changed.count(), 0);

    box.setDrive(m.dir(u"another"_s));
    QCOMPARE(box.drive(), m.dir(u"another"_s) + u"  [NEW]"_s);
}

void TestListControls::dirListShowsAncestorsAndSubfolders_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QStringList>("upward"); // list(-1), list(-2), ... up to the drive root
    QTest::addColumn<QStringList>("subfolders");

    // Not listed: the hidden folder, the link to a folder and the file.
    QTest::newRow("mount point") << u"usb"_s << QStringList{u"usb/"_s}
                                 << QStringList{u"Music"_s, u"Other"_s};
    QTest::newRow("drive root with two slashes")
        << u"usb//"_s << QStringList{u"usb/"_s} << QStringList{u"Music"_s, u"Other"_s};
    QTest::newRow("folder") << u"usb/Music"_s << QStringList{u"usb/Music"_s, u"usb/"_s}
                            << musicFolders;
    QTest::newRow("folder with two slashes")
        << u"usb/Music//"_s << QStringList{u"usb/Music"_s, u"usb/"_s} << musicFolders;
    QTest::newRow("third level without subfolders")
        << u"usb/Music/Album/Disc 1"_s
        << QStringList{u"usb/Music/Album/Disc 1"_s, u"usb/Music/Album"_s, u"usb/Music"_s, u"usb/"_s}
        << QStringList();
}

void TestListControls::dirListShowsAncestorsAndSubfolders()
{
    QFETCH(QString, given);
    QFETCH(QStringList, upward);
    QFETCH(QStringList, subfolders);

    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(given));

    QCOMPARE(box.path(), m.dir(upward[0]));
    for (int i = 0; i < upward.size(); ++i)
        QCOMPARE(box.list(-1 - i), m.dir(upward[i]));
    QCOMPARE(box.list(-1 - int(upward.size())), QString());
    QCOMPARE(entriesOf(box), m.paths(upward[0], subfolders));
    QCOMPARE(box.list(box.listCount()), QString());
}

void TestListControls::dirListSetPathFails_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("notReady"); // drive marked not ready, if any
    QTest::addColumn<FsErrorKind>("kind");

    QTest::newRow("missing folder")
        << u"usb/Music/Gone"_s << QString() << FsErrorKind::PathNotFound;
    QTest::newRow("file") << u"usb/Music/readme.txt"_s << QString() << FsErrorKind::PathNotFound;
    QTest::newRow("drive not ready") << u"cd/Data"_s << u"cd"_s << FsErrorKind::DeviceUnavailable;
    QTest::newRow("root of a drive not ready")
        << u"cd"_s << u"cd"_s << FsErrorKind::DeviceUnavailable;
    QTest::newRow("outside every drive")
        << QString() << QString() << FsErrorKind::DeviceUnavailable;
}

void TestListControls::dirListSetPathFails()
{
    QFETCH(QString, folder);
    QFETCH(QString, notReady);
    QFETCH(FsErrorKind, kind);

    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music"_s));
    box.setListIndex(1);
    if (!notReady.isEmpty())
        m.drives.setReady(m.dir(notReady), false);
    const QSignalSpy changed(&box, &DirListBox::changed);

    const auto error = errorOf([&] { box.setPath(m.dir(folder)); });
    QVERIFY(error);
    QCOMPARE(error->kind(), kind);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(box.path(), m.dir(u"usb/Music"_s));
    QCOMPARE(entriesOf(box), m.paths(u"usb/Music"_s, musicFolders));
    QCOMPARE(box.listIndex(), 1);
}

// The index follows the highlighted entry; a change is told only when the open folder changes,
// never by a refresh.
void TestListControls::dirListIndexRefreshAndChanges()
{
    Machine m;
    DirListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DirListBox::changed);
    box.setPath(m.dir(u"usb/Music/Album"_s));
    box.setPath(m.dir(u"usb/Music"_s));
    box.setPath(m.dir(u"usb/Music/"_s));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(box.listIndex(), -1);
    QCOMPARE(box.currentItem()->text().trimmed(), u"Music"_s);
    box.setListIndex(-2);
    QCOMPARE(box.listIndex(), -2);
    QCOMPARE(box.currentItem()->text().trimmed(), m.dir(u"usb/"_s));
    box.setListIndex(2);
    QCOMPARE(box.currentItem()->text().trimmed(), u"CD 2"_s);

    // A new folder: the index stays.
    m.dir.mkdir(u"usb/Music/CD 3"_s);
    box.refresh();
    QCOMPARE(entriesOf(box),
             m.paths(u"usb/Music"_s, {u"Album"_s, u"cd 1"_s, u"CD 2"_s, u"CD 3"_s, u"CD 10"_s}));
    QCOMPARE(box.listIndex(), 2);

    // The highlighted folder gone: back on the open folder.
    box.setListIndex(4);
    QVERIFY(QDir(m.dir(u"usb/Music/CD 10"_s)).removeRecursively());
    box.refresh();
    QCOMPARE(box.listCount(), 4);
    QCOMPARE(box.listIndex(), -1);
    QCOMPARE(changed.count(), 2);

    // The open folder gone: the list stays on it and says so.
    QVERIFY(QDir(m.dir(u"usb/Music"_s)).removeRecursively());
    const auto error = errorOf([&] { box.refresh(); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathNotFound);
    QCOMPARE(box.path(), m.dir(u"usb/Music"_s));
}

void TestListControls::dirListDoubleClick_data()
{
    QTest::addColumn<int>("index");

    QTest::newRow("first subfolder") << 0;
    QTest::newRow("open folder") << -1;
    QTest::newRow("parent, the drive root") << -2;
}

void TestListControls::dirListDoubleClick()
{
    QFETCH(int, index);

    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music"_s));
    box.resize(300, 400);
    box.setVisible(true);
    box.setListIndex(index);
    const QRect rect = box.visualItemRect(box.currentItem());
    box.setListIndex(-1);
    const QSignalSpy activated(&box, &DirListBox::entryActivated);

    doubleClick(box.viewport(), rect.center());

    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.first().first().toInt(), index);
}

void TestListControls::fileListMatchesThePattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("files");

    const QStringList mp3{u"-dash.mp3"_s,         u"a.mp3"_s,         u"B.MP3"_s,
                          u"it's \"live\".mp3"_s, u"my  song .mp3"_s, u"Track 2.mp3"_s,
                          u"Track 10.mp3"_s,      u"åäö é.mp3"_s};
    QTest::newRow("mp3 files") << u"*.mp3"_s << mp3;
    QTest::newRow("pattern in capitals") << u"*.MP3"_s << mp3;
    QStringList all = mp3;
    all.insert(3, u"c.txt"_s);
    QTest::newRow("all files") << u"*"_s << all;
    QTest::newRow("one file") << u"a.*"_s << QStringList{u"a.mp3"_s};
    QTest::newRow("no match") << u"*.wav"_s << QStringList();
}

void TestListControls::fileListMatchesThePattern()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, files);

    TestDir dir;
    dir.create({u"a.mp3"_s, u"B.MP3"_s, u"c.txt"_s, u"Track 10.mp3"_s, u"Track 2.mp3"_s,
                u"x.mp3/"_s, u"-dash.mp3"_s, u"it's \"live\".mp3"_s, u"my  song .mp3"_s,
                u"åäö é.mp3"_s});
    FileListBox box(nullptr);
    box.setPattern(pattern);
    box.setPath(dir.path());

    QCOMPARE(box.path(), dir.path());
    QCOMPARE(entriesOf(box), files);
    QCOMPARE(box.list(box.listCount()), QString());
    QCOMPARE(box.list(-1), QString());
    QCOMPARE(box.count(), files.size());
    for (int i = 0; i < box.count(); ++i)
        QCOMPARE(box.item(i)->text(), files[i]);
}

void TestListControls::fileListPatternChangeAndMissingFolder()
{
    TestDir dir;
    dir.create({u"a.mp3"_s, u"c.txt"_s});
    FileListBox box(nullptr);
    box.setPath(dir.path());
    QCOMPARE(entriesOf(box), (QStringList{u"a.mp3"_s, u"c.txt"_s}));

    box.setPattern(u"*.txt"_s);
    QCOMPARE(entriesOf(box), QStringList{u"c.txt"_s});
    QCOMPARE(box.count(), 1);

    const auto error = errorOf([&] { box.setPath(dir(u"missing"_s)); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathNotFound);
    QCOMPARE(box.path(), dir.path());
    QCOMPARE(entriesOf(box), QStringList{u"c.txt"_s});
}

QTEST_MAIN(TestListControls)
#include "tst_listcontrols.moc"
