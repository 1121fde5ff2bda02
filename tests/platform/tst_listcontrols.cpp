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

using namespace Qt::StringLiterals;

namespace {

// Runs the call; "" when it returns normally, else the kind of the FsError it throws.
template <typename Call> QString errorOf(Call call)
{
    try {
        call();
    } catch (const FsError& e) {
        return e.kind() == FsErrorKind::PathNotFound ? u"not found"_s : u"unavailable"_s;
    }
    return {};
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

    // The text with the temporary folder taken out.
    QString rel(QString text) const { return text.replace(dir.path() + u'/', QString()); }

    // The drive list as "shown drive (changes told): items".
    QString describe(const DriveListBox& box, const QSignalSpy& changed) const
    {
        QStringList items;
        for (int i = 0; i < box.count(); ++i)
            items.append(rel(box.itemText(i)));
        return rel(box.drive()) + u" ("_s + QString::number(changed.count()) + u"): "_s +
               items.join(u", "_s);
    }

    // The folder list as "list(-1) < list(-2) < ... | subfolders | index | changes told".
    QString describe(const DirListBox& box, const QSignalSpy& changed) const
    {
        QStringList upward;
        for (int i = -1; !box.list(i).isEmpty(); --i)
            upward.append(rel(box.list(i)));
        QStringList subfolders;
        for (int i = 0; i < box.listCount(); ++i)
            subfolders.append(QDir(box.path()).relativeFilePath(box.list(i)));
        if (!box.list(box.listCount()).isEmpty())
            subfolders.append(u"(more)"_s);
        return upward.join(u" < "_s) + u" | "_s + subfolders.join(u", "_s) + u" | "_s +
               QString::number(box.listIndex()) + u" | "_s + QString::number(changed.count());
    }

    TestDir dir;
    TestDrives drives;
};

const QString drivesShown = u"cd, sys, usb  [MUSIC]"_s;
// The folder list on usb/Music with "CD 2" highlighted.
const QString unchanged = u"usb/Music < usb/ | Album, cd 1, CD 2, CD 10 | 1 | 1"_s;

} // namespace

class TestListControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { QDir::setCurrent(m_startFolder); }

    void driveList_data();
    void driveList();
    void driveListFollowsTheDriveTable();
    void dirListSetPath_data();
    void dirListSetPath();
    void dirListIndexRefreshAndChanges();
    void fileListMatchesThePattern_data();
    void fileListMatchesThePattern();

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

void TestListControls::driveList_data()
{
    QTest::addColumn<QString>("current");  // current folder at start, in the temporary folder
    QTest::addColumn<QString>("given");    // set by the program, or "user:" and chosen in the list
    QTest::addColumn<QString>("notReady"); // drive marked not ready, if any
    QTest::addColumn<QString>("result");   // the list afterwards, or the error

    const auto shows = [](const QString& drive, int changes) -> QString {
        return drive + u" ("_s + QString::number(changes) + u"): "_s + drivesShown;
    };
    QTest::newRow("starts on the drive of a folder")
        << u"usb/Music"_s << QString() << QString() << shows(u"usb  [MUSIC]"_s, 0);
    QTest::newRow("by drive text")
        << QString() << u"usb  [MUSIC]"_s << QString() << shows(u"usb  [MUSIC]"_s, 1);
    QTest::newRow("the drive shown already")
        << QString() << u"sys"_s << QString() << shows(u"sys"_s, 0);
    QTest::newRow("folder that is no drive")
        << QString() << u"usb/Music"_s << QString() << u"unavailable"_s;
    QTest::newRow("drive not ready") << QString() << u"cd"_s << u"cd"_s << u"unavailable"_s;
    // The user's choice is taken as it is: the window tells when the drive cannot be read.
    QTest::newRow("user chooses a drive not ready")
        << QString() << u"user:usb"_s << u"usb"_s << shows(u"usb  [MUSIC]"_s, 1);
    QTest::newRow("user chooses the drive shown")
        << QString() << u"user:sys"_s << QString() << shows(u"sys"_s, 0);
}

void TestListControls::driveList()
{
    QFETCH(QString, current);
    QFETCH(QString, given);
    QFETCH(QString, notReady);
    QFETCH(QString, result);

    Machine m;
    const auto restore = qScopeGuard([] { QDir::setCurrent(QDir::rootPath()); });
    QVERIFY(QDir::setCurrent(m.dir(current)));
    if (!notReady.isEmpty())
        m.drives.setReady(m.dir(notReady), false);
    DriveListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DriveListBox::changed);

    QString error;
    if (given.startsWith(u"user:"_s)) {
        const int row = box.findData(m.dir(given.mid(5)));
        box.setCurrentIndex(row);
        QMetaObject::invokeMethod(&box, "activated", Q_ARG(int, row));
    } else if (!given.isEmpty()) {
        error = errorOf([&] { box.setDrive(m.dir(given)); });
        // Setting the same drive again tells no second change.
        if (error.isEmpty())
            box.setDrive(m.dir(given));
    }
    QCOMPARE(error.isEmpty() ? m.describe(box, changed) : error, result);
    if (!error.isEmpty())
        QCOMPARE(m.describe(box, changed), u"sys (0): "_s + drivesShown);
    QCOMPARE(box.currentText(), box.drive());
}

// Drives come and go while the list shows one: it stays selected, also once it is gone, and a
// refresh tells no change.
void TestListControls::driveListFollowsTheDriveTable()
{
    Machine m;
    DriveListBox box(m.drives, nullptr);
    box.setDrive(m.dir(u"usb"_s));
    const QSignalSpy changed(&box, &DriveListBox::changed);

    m.drives.add(m.dir.mkdir(u"another"_s), true, u"NEW"_s);
    m.drives.announceChange();
    QCOMPARE(m.describe(box, changed), u"usb  [MUSIC] (0): another  [NEW], "_s + drivesShown);
    m.drives.remove(m.dir(u"usb"_s));
    box.refresh();
    QCOMPARE(m.describe(box, changed),
             u"usb  [MUSIC] (0): another  [NEW], cd, sys, usb  [MUSIC]"_s);
    QCOMPARE(box.currentText(), box.drive());
    box.showDrive(m.dir(u"another"_s));
    QCOMPARE(m.describe(box, changed), u"another  [NEW] (0): another  [NEW], cd, sys"_s);
}

void TestListControls::dirListSetPath_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("notReady"); // drive marked not ready, if any
    QTest::addColumn<QString>("result");   // the list afterwards, or the error

    // Not listed: the hidden folder, the link to a folder and the file.
    QTest::newRow("mount point") << u"usb"_s << QString() << u"usb/ | Music, Other | -1 | 2"_s;
    QTest::newRow("the open folder with two slashes")
        << u"usb/Music//"_s << QString()
        << u"usb/Music < usb/ | Album, cd 1, CD 2, CD 10 | -1 | 1"_s;
    QTest::newRow("third level without subfolders")
        << u"usb/Music/Album/Disc 1"_s << QString()
        << u"usb/Music/Album/Disc 1 < usb/Music/Album < usb/Music < usb/ |  | -1 | 2"_s;
    // A failure leaves the list as it was.
    const QString notFound = u"not found"_s;
    QTest::newRow("missing folder") << u"usb/Music/Gone"_s << QString() << notFound;
    QTest::newRow("drive not ready") << u"cd/Data"_s << u"cd"_s << u"unavailable"_s;
    QTest::newRow("outside every drive") << QString() << QString() << u"unavailable"_s;
}

void TestListControls::dirListSetPath()
{
    QFETCH(QString, given);
    QFETCH(QString, notReady);
    QFETCH(QString, result);

    Machine m;
    DirListBox box(m.drives, nullptr);
    const QSignalSpy changed(&box, &DirListBox::changed);
    box.setPath(m.dir(u"usb/Music"_s));
    box.setListIndex(1);
    if (!notReady.isEmpty())
        m.drives.setReady(m.dir(notReady), false);

    const QString error = errorOf([&] { box.setPath(m.dir(given)); });
    QCOMPARE(error.isEmpty() ? m.describe(box, changed) : error, result);
    if (!error.isEmpty())
        QCOMPARE(m.describe(box, changed), unchanged);
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
    QCOMPARE(box.currentItem()->text().trimmed(), u"Music"_s);
    box.setListIndex(-2);
    QCOMPARE(box.currentItem()->text().trimmed(), m.dir(u"usb/"_s));
    box.setListIndex(2);
    QCOMPARE(box.currentItem()->text().trimmed(), u"CD 2"_s);

    // A new folder: the index stays.
    m.dir.mkdir(u"usb/Music/CD 3"_s);
    box.refresh();
    QCOMPARE(m.describe(box, changed),
             u"usb/Music < usb/ | Album, cd 1, CD 2, CD 3, CD 10 | 2 | 2"_s);

    // The highlighted folder gone: back on the open folder.
    box.setListIndex(4);
    QVERIFY(QDir(m.dir(u"usb/Music/CD 10"_s)).removeRecursively());
    box.refresh();
    QCOMPARE(m.describe(box, changed), u"usb/Music < usb/ | Album, cd 1, CD 2, CD 3 | -1 | 2"_s);

    // The open folder gone: the list stays on it and says so.
    QVERIFY(QDir(m.dir(u"usb/Music"_s)).removeRecursively());
    QCOMPARE(errorOf([&] { box.refresh(); }), u"not found"_s);
    QCOMPARE(box.path(), m.dir(u"usb/Music"_s));
}

void TestListControls::fileListMatchesThePattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("files");

    const QString mp3 = u"-dash.mp3/a.mp3/B.MP3/it's \"live\".mp3/my  song .mp3/Track 2.mp3/"
                        u"Track 10.mp3/åäö é.mp3"_s;
    QTest::newRow("mp3 files") << u"*.mp3"_s << mp3;
    QTest::newRow("pattern in capitals") << u"*.MP3"_s << mp3;
    QTest::newRow("all files") << u"*"_s << QString(mp3).replace(u"B.MP3/"_s, u"B.MP3/c.txt/"_s);
    QTest::newRow("no match") << u"*.wav"_s << QString();
}

// The list follows a change of pattern; a missing folder leaves it as it was.
void TestListControls::fileListMatchesThePattern()
{
    QFETCH(QString, pattern);
    QFETCH(QString, files);

    TestDir dir;
    dir.create({u"a.mp3"_s, u"B.MP3"_s, u"c.txt"_s, u"Track 10.mp3"_s, u"Track 2.mp3"_s,
                u"x.mp3/"_s, u"-dash.mp3"_s, u"it's \"live\".mp3"_s, u"my  song .mp3"_s,
                u"åäö é.mp3"_s});
    FileListBox box(nullptr);
    box.setPath(dir.path());
    QCOMPARE(box.count(), 9);
    box.setPattern(pattern);
    QCOMPARE(errorOf([&] { box.setPath(dir(u"missing"_s)); }), u"not found"_s);

    QCOMPARE(box.path(), dir.path());
    QVERIFY(box.list(-1).isEmpty() && box.list(box.listCount()).isEmpty());
    QStringList entries, shown;
    for (int i = 0; i < box.listCount(); ++i)
        entries.append(box.list(i));
    for (int i = 0; i < box.count(); ++i)
        shown.append(box.item(i)->text());
    QCOMPARE(entries.join(u'/'), files);
    QCOMPARE(shown.join(u'/'), files);
}

QTEST_MAIN(TestListControls)
#include "tst_listcontrols.moc"
