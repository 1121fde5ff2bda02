#include "platform/FsError.h"
#include "platform/MountTable.h"
#include "platform/Paths.h"
#include "platform/SystemDrives.h"
#include "support/TestDir.h"
#include "support/TestMount.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// mountinfo from entries "device mount-point type source" separated by commas; the other
// fields are typical filler. Two broken lines come first, to be passed over.
QByteArray mountInfo(const QByteArray& entries)
{
    QByteArray info = "26 1 254:0 / /x rw ext4 /dev/vda rw\n27 1 254:1 / /y rw - ext4\n";
    for (const QByteArray& entry : entries.split(',')) {
        const QList<QByteArray> f = entry.trimmed().split(' ');
        info += "40 26 " + f[0] + " / " + f[1] + " rw,relatime shared:1 - " + f[2] + ' ' + f[3] +
                " rw\n";
    }
    return info;
}

} // namespace

class TestMountTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void volumes_data();
    void volumes();
    void systemDrives();

private:
    TestDir m_dir;
};

// A sysfs and udev's label links in the temporary folder.
void TestMountTable::initTestCase()
{
    // A symbolic link at link to target, relative as the kernel and udev make them.
    const auto link = [this](const QString& link, const QString& target) {
        const QString folder = QFileInfo(m_dir(link)).path();
        QDir().mkpath(folder);
        QVERIFY(QFile::link(QDir(folder).relativeFilePath(m_dir(target)), m_dir(link)));
    };
    const QString usb = u"sys/devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0"_s;
    const QString sd = u"sys/devices/platform/soc/mmc_host/mmc0/mmc0:aaaa"_s;
    const QString emmc = u"sys/devices/platform/soc/mmc_host/mmc1/mmc1:0001"_s;
    const QString sata = u"sys/devices/pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/"_s;
    // Partitions lie inside their disk's folder. The USB stick's disk does not say it is
    // removable, the CD drive does.
    const QStringList devices{u"8:17"_s, u"8:2"_s, u"179:1"_s, u"179:9"_s, u"11:0"_s};
    const QStringList folders{usb + u"/host6/target6:0:0/6:0:0:0/block/sdb/sdb1"_s,
                              sata + u"0:0:0:0/block/sda/sda2"_s,
                              sd + u"/block/mmcblk0/mmcblk0p1"_s,
                              emmc + u"/block/mmcblk1/mmcblk1p1"_s, sata + u"0:0:1:0/block/sr0"_s};
    for (int i = 0; i < devices.size(); ++i) {
        m_dir.file(folders[i] + (i < 4 ? u"/partition"_s : u"/removable"_s), "1");
        link(u"sys/dev/block/"_s + devices[i], folders[i]);
    }
    link(usb + u"/subsystem"_s, u"sys/bus/usb"_s);
    // An encrypted volume on the stick's partition, and the partition by its kernel name.
    link(u"sys/devices/virtual/block/dm-1/slaves/sdb1"_s, folders[0]);
    link(u"sys/dev/block/254:1"_s, u"sys/devices/virtual/block/dm-1"_s);
    link(u"sys/class/block/sdb1"_s, folders[0]);
    for (const auto& [card, type] : {std::pair{sd, "SD\n"_ba}, std::pair{emmc, "MMC\n"_ba}}) {
        link(card + u"/subsystem"_s, u"sys/bus/mmc"_s);
        m_dir.file(card + u"/type"_s, type);
    }
    // Most label links point at device nodes that do not exist here.
    m_dir.file(u"dev/dm-0"_s);
    link(u"dev/mapper/backup"_s, u"dev/dm-0"_s);
    for (const char* label :
         {"SYSTEM sda2", "MUSIC sdb1", "Holiday\\x20Photos mmcblk0p1", "BACKUP dm-0"})
        link(u"dev/disk/by-label/"_s + QString::fromLatin1(label).section(u' ', 0, 0),
             u"dev/"_s + QString::fromLatin1(label).section(u' ', 1));
}

void TestMountTable::volumes_data()
{
    QTest::addColumn<QByteArray>("entries"); // TMP is the temporary folder
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("volumes"); // the drive lists' texts, each with 1 when removable

    QTest::newRow("/dev/root, USB stick with escaped name, SD card, eMMC, CD, label through a link")
        << "8:2 / ext4 TMP/dev/root, 8:17 /media/me/a\\011b\\134c\\040Caf\xc3\xa9 vfat /dev/sdb1, "
           "179:1 /media/me/sd exfat /dev/mmcblk0p1, 179:9 /emmc ext4 /dev/mmcblk1p1, "
           "11:0 /media/cdrom iso9660 /dev/sr0, 254:0 /backup ext4 TMP/dev/mapper/backup"_ba
        << u"/home/me"_s
        << u"/  [SYSTEM] 0; /backup  [BACKUP] 0; /emmc 0; /media/cdrom 1; "
           u"/media/me/a\tb\\c Caf\u00e9  [MUSIC] 1; /media/me/sd  [Holiday Photos] 1"_s;
    // / as overlay, as in a container, is still the system drive.
    QTest::newRow("pseudo file systems and system folders left out")
        << "0:40 / overlay overlay, 0:41 /proc proc none, 0:42 /mnt/t tmpfs none, 0:43 /sys ext4 "
           "none, 0:44 /run/user/1000/doc ext4 none, 0:45 /run/media/me/STICK ext4 none, 0:46 "
           "/devel ext4 none"_ba
        << u"/home/me"_s << u"/ 0; /devel 0; /run/media/me/STICK 0"_s;
    // The first mount of a device that is not left out is the one kept.
    QTest::newRow("further mounts of a device left out")
        << "8:17 /run/stick vfat /dev/sdb1, 8:17 /media/usb vfat /dev/sdb1, 8:2 / ext4 "
           "/dev/sda2, 8:17 /mnt/again vfat /dev/sdb1"_ba
        << u"/home/me"_s << u"/  [SYSTEM] 0; /media/usb  [MUSIC] 1"_s;
    // A name in Latin-1 is kept by its bytes; volumes over the stick are removable.
    QTest::newRow("Latin-1 mount point, encrypted stick, btrfs on the stick")
        << "8:2 / ext4 /dev/sda2, 0:51 /media/Bj\xf6rk vfat /dev/sdc1, "
           "254:1 /media/crypt ext4 /dev/dm-1, 0:50 /media/btrfs btrfs /dev/sdb1"_ba
        << u"/home/me"_s
        << paths::fromNative(
               "/  [SYSTEM] 0; /media/Bj\xf6rk 0; /media/btrfs  [MUSIC] 1; /media/crypt 1");
    QTest::newRow("no / listed, the home folder on the stick")
        << "8:17 /media/usb vfat /dev/sdb1"_ba << u"/media/usb/home/me"_s
        << u"/ 0; /media/usb  [MUSIC] 0"_s;
}

void TestMountTable::volumes()
{
    QFETCH(QByteArray, entries);
    QFETCH(QString, home);
    QStringList lines;
    for (const Volume& v :
         mounttable::volumesOf(mountInfo(entries.replace("TMP", QFile::encodeName(m_dir.path()))),
                               {m_dir(u"sys"_s), m_dir(u"dev/disk/by-label"_s), home}))
        lines.append(drives::driveText(v) + u' ' + QString::number(v.removable));
    QTEST(lines.join(u"; "_s), "volumes");
}

// The drive table of this machine, also in a container: "/" is there, a plain folder is no drive.
void TestMountTable::systemDrives()
{
    const SystemDrives system;
    QVERIFY(drives::volumeOf(system.volumes(), u"/"_s).has_value());
    QVERIFY(system.isReady(u"/"_s) && system.freeSpace(u"/"_s) > 0);
    QVERIFY(!system.isReady(m_dir.path()));
    QVERIFY_THROWS_EXCEPTION(FsError, system.freeSpace(m_dir.path()));

    // A volume mounted at a folder whose name is Latin-1 reaches the drive lists through the
    // kernel's signal, not a timer, with its bytes, and is ready.
    QVERIFY(system.findChildren<QTimer*>().isEmpty());
    QSignalSpy changed(&system, &Drives::volumesChanged);
    const QString folder = m_dir.mkdir(paths::fromNative("Bj\xf6rk"));
    // Programs take their arguments as text: a link of a plain name leads mount to the folder.
    QCOMPARE(::symlink("Bj\xf6rk", paths::toNative(m_dir(u"plain"_s)).constData()), 0);
    const QString image = m_dir(u"volume.img"_s);
    if (!makeImage(image, 8 * 1024 * 1024, u"mkfs.ext2"_s))
        QSKIP("cannot make an ext2 image here");
    {
        const TestMount mount({u"-o"_s, u"loop"_s, image, m_dir(u"plain"_s)});
        if (!mount.isMounted())
            QSKIP("cannot mount a loop device here (needs root)");
        QVERIFY(changed.wait());
        const std::optional<Volume> volume = drives::volumeOf(system.volumes(), folder);
        QVERIFY(volume);
        QCOMPARE(paths::toNative(volume->mountPoint), paths::toNative(m_dir.path()) + "/Bj\xf6rk");
        QVERIFY(system.isReady(folder));
    }
    QVERIFY(changed.wait());
    QVERIFY(!system.isReady(folder));
}

QTEST_GUILESS_MAIN(TestMountTable)
#include "tst_mounttable.moc"
