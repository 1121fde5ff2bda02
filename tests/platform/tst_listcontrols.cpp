#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FileListBox.h"
#include "platform/FsError.h"
#include "support/TestDir.h"
#include "support/TestDrives.h"

#include <QDir>
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

// Drives in a temporary folder: "sys" (the system drive), "usb" labelled MUSIC and "cd".
struct Machine {
    Machine()
    {
        dir.create({u"sys/"_s, u"cd/Data/"_s, u"usb/Music/Album/1.mp3"_s, u"usb/Music/CD 10/"_s,
                    u"usb/Music/CD 2/"_s, u"usb/Music/.hidden/"_s, u"usb/Music/readme.txt"_s});
        QFile::link(dir(u"usb/Music/Album"_s), dir(u"usb/Music/Linked"_s));
        drives.addSystem(dir(u"sys"_s));
        drives.add(dir(u"usb"_s), true, u"MUSIC"_s);
        drives.add(dir(u"cd"_s), true);
    }
    TestDir dir;
    TestDrives drives;
};

} // namespace

class TestListControls : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void driveList();
    void dirList_data();
    void dirList();
    void fileList();
};

// A drive that cannot be read is refused; drives that come and go leave the shown one, also
// once it is gone, until the pane moves on, and tell no change.
void TestListControls::driveList()
{
    Machine m;
    m.drives.setReady(m.dir(u"cd"_s), false);
    DriveListBox box(m.drives, nullptr);
    QCOMPARE(errorOf([&] { box.setDrive(m.dir(u"cd"_s)); }), u"unavailable"_s);
    box.setDrive(m.dir(u"usb"_s));
    const QSignalSpy changed(&box, &DriveListBox::changed);
    m.drives.add(m.dir.mkdir(u"new"_s), true, u"NEW"_s);
    m.drives.remove(m.dir(u"usb"_s));
    m.drives.announceChange();
    QCOMPARE(box.currentText() + QString::number(box.count()), m.dir(u"usb  [MUSIC]4"_s));
    box.showDrive(m.dir(u"new"_s));
    QCOMPARE(box.currentText() + QString::number(box.count()), m.dir(u"new  [NEW]3"_s));
    QCOMPARE(changed.count(), 0);
}

void TestListControls::dirList_data()
{
    QTest::addColumn<QString>("given"); // "" refreshes
    QTest::addColumn<QString>("loss");  // a folder deleted first
    QTest::addColumn<QString>("result");

    // Not listed: the hidden folder, the link to a folder and the file; numbers in natural order.
    QTest::newRow("open") << u"usb/Music"_s << QString() << u"Album/CD 2/CD 10"_s;
    QTest::newRow("missing folder") << u"usb/Music/Gone"_s << QString() << u"not found"_s;
    QTest::newRow("refresh, open folder gone") << QString() << u"usb/Music"_s << u"not found"_s;
}

// A failure leaves the list on the folder it showed.
void TestListControls::dirList()
{
    QFETCH(QString, given);
    QFETCH(QString, loss);
    QFETCH(QString, result);

    Machine m;
    DirListBox box(m.drives, nullptr);
    box.setPath(m.dir(u"usb/Music/Album"_s));
    if (!loss.isEmpty())
        QVERIFY(QDir(m.dir(loss)).removeRecursively());
    const QString error =
        errorOf([&] { given.isEmpty() ? box.refresh() : box.setPath(m.dir(given)); });
    QStringList subfolders;
    for (int i = 0; i < box.listCount(); ++i)
        subfolders.append(QFileInfo(box.list(i)).fileName());
    QCOMPARE(error.isEmpty() ? subfolders.join(u'/') : error, result);
    QCOMPARE(box.path() == m.dir(u"usb/Music/Album"_s), !error.isEmpty());
}

// Matching ignores case; numbers go in natural order.
void TestListControls::fileList()
{
    TestDir dir;
    dir.create({u"a.mp3"_s, u"B.MP3"_s, u"c.txt"_s, u"T 10.mp3"_s, u"T 2.mp3"_s, u"x.mp3/"_s});
    FileListBox box(nullptr);
    box.setPattern(u"*.mp3"_s);
    box.setPath(dir.path());
    QCOMPARE(box.files().join(u'/'), u"a.mp3/B.MP3/T 2.mp3/T 10.mp3"_s);
}

QTEST_MAIN(TestListControls)
#include "tst_listcontrols.moc"
