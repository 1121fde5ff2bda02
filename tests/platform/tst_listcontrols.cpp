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

    QString usbText() const { return dir(u"usb"_s) + u"  [MUSIC]"_s; }
    // Full paths of names in a folder of the temporary folder.
    QStringList paths(const QString& folder, const QStringList& names) const
    {
        QStringList list;
        for (const QString& name : names)
            list.append(dir(folder + u'/' + name));
        return list;
    }

    TestDir dir;
    TestDrives drives;
};

QStringList entriesOf(const DirListBox& box)
{
    QStringList list;
    for (int i = 0; i < box.listCount(); ++i)
        list.append(box.list(i));
    return list;
}

QStringList entriesOf(const FileListBox& box)
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

// The user picks a row of the drop-down list.
void choose(DriveListBox& box, int row)
{
    box.setCurrentIndex(row);
    QMetaObject::invokeMethod(&box, "activated", Q_ARG(int, row));
}

} // namespace

class TestListControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void driveListShowsTheDrives();
    void driveListStartsOnTheCurrentFolder_data();
    void driveListStartsOnTheCurrentFolder();
    void setDrive_data();
    void setDrive();
    void setDriveToTheShownDriveTellsNothing();
    void setDriveFails_data();
    void setDriveFails();
    void driveListRefreshKeepsTheDrive();
    void userChoiceTellsTheChange_data();
    void userChoiceTellsTheChange();
    void userChoiceOfTheShownDriveTellsNothing();

    void dirListShowsSubfolders();
    void dirListOfAFolderWithoutSubfolders();
    void dirListPathForm_data();
    void dirListPathForm();
    void dirListAncestors_data();
    void dirListAncestors();
    void dirListIndex();
    void dirListTellsRealChangesOnly();
    void dirListSetPathFails_data();
    void dirListSetPathFails();
    void dirListRefreshKeepsTheIndex();
    void dirListRefreshWithTheIndexGone();
    void dirListRefreshOfAFolderGone();
    void dirListDoubleClick_data();
    void dirListDoubleClick();

    void fileListMatchesThePattern_data();
    void fileListMatchesThePattern();
    void fileListFollowsAPatternChange();
    void fileListOfAMissingFolder();
    void fileListShowsNamesAsTheyAre();

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

void TestListControls::driveListShowsTheDrives()
{
    Machine m;
    const DriveListBox box(m.drives, nullptr);

    QCOMPARE(box.count(), 3);
    QCOMPARE(box.itemText(0), m.dir(u"cd"_s));
    QCOMPARE(box.itemText(1), m.dir(u"sys"_s));
    QCOMPARE(box.itemText(2), m.usbText());
    QCOMPARE(box.drive(), m.dir(u"sys"_s));
    QCOMPARE(box.currentText(), m.dir(u"sys"_s));
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
    QCOMPARE(box.mountPoint(), m.dir(drive));
    QCOMPARE(box.currentData().toString(), m.dir(drive));
}

void TestListControls::setDrive_data()
{
    QTest::addColumn<QString>("folder"); // the drive's mount point in the temporary folder
    QTest::addColumn<QString>("given");  // what follows the mount point in the name given
    QTest::addColumn<QString>("shown");  // what follows it in the drive text

    QTest::newRow("by mount point") << u"usb"_s << QString() << u"  [MUSIC]"_s;
    QTest::newRow("by drive text") << u"usb"_s << u"  [MUSIC]"_s << u"  [MUSIC]"_s;
    QTest::newRow("drive without label") << u"cd"_s << QString() << QString();
}

void TestListControls::setDrive()
{
    QFETCH(QString, folder);
    QFETCH(QString, given);
    QFETCH(QString, shown);

    Machine m;
    DriveListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DriveListBox::changed);

    box.setDrive(m.dir(folder) + given);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box.drive(), m.dir(folder) + shown);
    QCOMPARE(box.mountPoint(), m.dir(folder));
    QCOMPARE(box.currentText(), m.dir(folder) + shown);
}

void TestListControls::setDriveToTheShownDriveTellsNothing()
{
    Machine m;
    DriveListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DriveListBox::changed);

    box.setDrive(m.dir(u"sys"_s));
    QCOMPARE(changed.count(), 0);

    box.setDrive(m.usbText());
    QCOMPARE(changed.count(), 1);
    box.setDrive(m.dir(u"usb"_s));
    box.setDrive(m.usbText());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box.drive(), m.usbText());
}

void TestListControls::setDriveFails_data()
{
    QTest::addColumn<QString>("name");     // in the temporary folder
    QTest::addColumn<QString>("notReady"); // drive marked not ready, if any

    QTest::newRow("folder that is no drive") << u"usb/Music"_s << QString();
    QTest::newRow("unknown drive text") << u"dvd  [FILMS]"_s << QString();
    QTest::newRow("drive not ready") << u"cd"_s << u"cd"_s;
    QTest::newRow("drive text of a drive not ready") << u"usb  [MUSIC]"_s << u"usb"_s;
}

void TestListControls::setDriveFails()
{
    QFETCH(QString, name);
    QFETCH(QString, notReady);

    Machine m;
    if (!notReady.isEmpty())
        m.drives.setReady(m.dir(notReady), false);
    DriveListBox box(m.drives, nullptr);
    const int row = box.currentIndex();
    const QSignalSpy changed(&box, &DriveListBox::changed);

    const auto error = errorOf([&] { box.setDrive(m.dir(name)); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::DeviceUnavailable);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(box.drive(), m.dir(u"sys"_s));
    QCOMPARE(box.currentIndex(), row);
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
    QCOMPARE(box.drive(), m.usbText());
    QCOMPARE(box.currentText(), m.usbText());
    QCOMPARE(changed.count(), 0);

    box.setDrive(m.dir(u"another"_s));
    QCOMPARE(box.drive(), m.dir(u"another"_s) + u"  [NEW]"_s);
}

void TestListControls::userChoiceTellsTheChange_data()
{
    QTest::addColumn<bool>("ready");

    QTest::newRow("ready drive") << true;
    QTest::newRow("drive not ready") << false;
}

// The user's choice is taken as it is: the window tells when the drive cannot be read.
void TestListControls::userChoiceTellsTheChange()
{
    QFETCH(bool, ready);

    Machine m;
    m.drives.setReady(m.dir(u"usb"_s), ready);
    DriveListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DriveListBox::changed);

    choose(box, box.findText(m.usbText()));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box.drive(), m.usbText());
    QCOMPARE(box.mountPoint(), m.dir(u"usb"_s));
}

void TestListControls::userChoiceOfTheShownDriveTellsNothing()
{
    Machine m;
    DriveListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DriveListBox::changed);

    choose(box, box.currentIndex());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(box.drive(), m.dir(u"sys"_s));
}

void TestListControls::dirListShowsSubfolders()
{
    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music"_s));

    // Not listed: the hidden folder, the link to a folder and the file.
    QCOMPARE(box.path(), m.dir(u"usb/Music"_s));
    QCOMPARE(box.list(-1), m.dir(u"usb/Music"_s));
    QCOMPARE(box.listCount(), 4);
    QCOMPARE(entriesOf(box),
             m.paths(u"usb/Music"_s, {u"Album"_s, u"cd 1"_s, u"CD 2"_s, u"CD 10"_s}));
    QCOMPARE(box.list(4), QString());
}

void TestListControls::dirListOfAFolderWithoutSubfolders()
{
    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music/Album/Disc 1"_s));

    QCOMPARE(box.listCount(), 0);
    QCOMPARE(box.list(-1), m.dir(u"usb/Music/Album/Disc 1"_s));
    QCOMPARE(box.list(0), QString());
}

void TestListControls::dirListPathForm_data()
{
    QTest::addColumn<QString>("given"); // in the temporary folder
    QTest::addColumn<QString>("path");

    QTest::newRow("mount point") << u"usb"_s << u"usb/"_s;
    QTest::newRow("drive root") << u"usb/"_s << u"usb/"_s;
    QTest::newRow("drive root with two slashes") << u"usb//"_s << u"usb/"_s;
    QTest::newRow("folder") << u"usb/Music"_s << u"usb/Music"_s;
    QTest::newRow("folder with slash") << u"usb/Music/"_s << u"usb/Music"_s;
    QTest::newRow("folder with two slashes") << u"usb/Music//"_s << u"usb/Music"_s;
}

void TestListControls::dirListPathForm()
{
    QFETCH(QString, given);
    QFETCH(QString, path);

    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(given));
    QCOMPARE(box.path(), m.dir(path));
    QCOMPARE(box.list(-1), m.dir(path));
}

void TestListControls::dirListAncestors_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("upward"); // list(-1), list(-2), ... up to the drive root

    QTest::newRow("drive root") << u"usb"_s << QStringList{u"usb/"_s};
    QTest::newRow("first level") << u"usb/Music"_s << QStringList{u"usb/Music"_s, u"usb/"_s};
    QTest::newRow("third level") << u"usb/Music/Album/Disc 1"_s
                                 << QStringList{u"usb/Music/Album/Disc 1"_s, u"usb/Music/Album"_s,
                                                u"usb/Music"_s, u"usb/"_s};
}

void TestListControls::dirListAncestors()
{
    QFETCH(QString, folder);
    QFETCH(QStringList, upward);

    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(folder));

    for (int i = 0; i < upward.size(); ++i)
        QCOMPARE(box.list(-1 - i), m.dir(upward[i]));
    QCOMPARE(box.list(-1 - int(upward.size())), QString());
}

void TestListControls::dirListIndex()
{
    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music/Album"_s));
    QCOMPARE(box.listIndex(), -1);

    box.setPath(m.dir(u"usb/Music"_s));
    QCOMPARE(box.listIndex(), -1);
    QCOMPARE(box.currentItem()->text().trimmed(), u"Music"_s);

    box.setListIndex(2);
    QCOMPARE(box.listIndex(), 2);
    QCOMPARE(box.currentItem()->text().trimmed(), u"CD 2"_s);

    box.setListIndex(-2);
    QCOMPARE(box.listIndex(), -2);
    QCOMPARE(box.currentItem()->text().trimmed(), m.dir(u"usb/"_s));
}

void TestListControls::dirListTellsRealChangesOnly()
{
    Machine m;
    DirListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DirListBox::changed);

    box.setPath(m.dir(u"usb/Music"_s));
    QCOMPARE(changed.count(), 1);
    box.setPath(m.dir(u"usb/Music"_s));
    box.setPath(m.dir(u"usb/Music/"_s));
    QCOMPARE(changed.count(), 1);
    box.setPath(m.dir(u"usb/Music/Album"_s));
    QCOMPARE(changed.count(), 2);
    box.setListIndex(0);
    QCOMPARE(changed.count(), 2);
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
    QCOMPARE(entriesOf(box),
             m.paths(u"usb/Music"_s, {u"Album"_s, u"cd 1"_s, u"CD 2"_s, u"CD 10"_s}));
    QCOMPARE(box.listIndex(), 1);
}

void TestListControls::dirListRefreshKeepsTheIndex()
{
    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music"_s));
    box.setListIndex(2);
    const QSignalSpy changed(&box, &DirListBox::changed);

    m.dir.mkdir(u"usb/Music/CD 3"_s);
    box.refresh();

    QCOMPARE(entriesOf(box),
             m.paths(u"usb/Music"_s, {u"Album"_s, u"cd 1"_s, u"CD 2"_s, u"CD 3"_s, u"CD 10"_s}));
    QCOMPARE(box.listIndex(), 2);
    QCOMPARE(box.path(), m.dir(u"usb/Music"_s));
    QCOMPARE(changed.count(), 0);
}

void TestListControls::dirListRefreshWithTheIndexGone()
{
    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music"_s));
    box.setListIndex(3);

    QVERIFY(QDir(m.dir(u"usb/Music/CD 10"_s)).removeRecursively());
    box.refresh();

    QCOMPARE(box.listCount(), 3);
    QCOMPARE(box.listIndex(), -1);
}

void TestListControls::dirListRefreshOfAFolderGone()
{
    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music/CD 2"_s));

    QVERIFY(QDir(m.dir(u"usb/Music/CD 2"_s)).removeRecursively());
    const auto error = errorOf([&] { box.refresh(); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathNotFound);
    QCOMPARE(box.path(), m.dir(u"usb/Music/CD 2"_s));
}

void TestListControls::dirListDoubleClick_data()
{
    QTest::addColumn<int>("index");

    QTest::newRow("first subfolder") << 0;
    QTest::newRow("last subfolder") << 3;
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

    const QStringList mp3{u"a.mp3"_s, u"B.MP3"_s, u"Track 2.mp3"_s, u"Track 10.mp3"_s};
    QTest::newRow("mp3 files") << u"*.mp3"_s << mp3;
    QTest::newRow("pattern in capitals") << u"*.MP3"_s << mp3;
    QTest::newRow("all files") << u"*"_s
                               << QStringList{u"a.mp3"_s, u"B.MP3"_s, u"c.txt"_s, u"Track 2.mp3"_s,
                                              u"Track 10.mp3"_s};
    QTest::newRow("text files") << u"*.txt"_s << QStringList{u"c.txt"_s};
    QTest::newRow("one file") << u"a.*"_s << QStringList{u"a.mp3"_s};
    QTest::newRow("no match") << u"*.wav"_s << QStringList();
}

void TestListControls::fileListMatchesThePattern()
{
    QFETCH(QString, pattern);
    QFETCH(QStringList, files);

    TestDir dir;
    dir.create(
        {u"a.mp3"_s, u"B.MP3"_s, u"c.txt"_s, u"Track 10.mp3"_s, u"Track 2.mp3"_s, u"x.mp3/"_s});
    FileListBox box(nullptr);
    box.setPattern(pattern);
    box.setPath(dir.path());

    QCOMPARE(box.path(), dir.path());
    QCOMPARE(box.listCount(), files.size());
    QCOMPARE(entriesOf(box), files);
    QCOMPARE(box.list(box.listCount()), QString());
    QCOMPARE(box.list(-1), QString());
    QCOMPARE(box.count(), files.size());
    for (int i = 0; i < box.count(); ++i)
        QCOMPARE(box.item(i)->text(), files[i]);
}

void TestListControls::fileListFollowsAPatternChange()
{
    TestDir dir;
    dir.create({u"a.mp3"_s, u"c.txt"_s});
    FileListBox box(nullptr);
    box.setPath(dir.path());
    QCOMPARE(entriesOf(box), (QStringList{u"a.mp3"_s, u"c.txt"_s}));

    box.setPattern(u"*.txt"_s);
    QCOMPARE(entriesOf(box), QStringList{u"c.txt"_s});
    QCOMPARE(box.count(), 1);
}

void TestListControls::fileListOfAMissingFolder()
{
    TestDir dir;
    dir.create({u"a.mp3"_s});
    FileListBox box(nullptr);
    box.setPath(dir.path());

    const auto error = errorOf([&] { box.setPath(dir(u"missing"_s)); });
    QVERIFY(error);
    QCOMPARE(error->kind(), FsErrorKind::PathNotFound);
    QCOMPARE(box.path(), dir.path());
    QCOMPARE(entriesOf(box), QStringList{u"a.mp3"_s});
}

void TestListControls::fileListShowsNamesAsTheyAre()
{
    const QStringList names{u"-dash.mp3"_s, u"it's \"live\".mp3"_s, u"my  song .mp3"_s,
                            u"åäö é.mp3"_s};
    TestDir dir;
    dir.create(names);
    FileListBox box(nullptr);
    box.setPattern(u"*.mp3"_s);
    box.setPath(dir.path());

    QCOMPARE(entriesOf(box), names);
    for (int i = 0; i < box.count(); ++i)
        QCOMPARE(box.item(i)->text(), names[i]);
}

QTEST_MAIN(TestListControls)
#include "tst_listcontrols.moc"
