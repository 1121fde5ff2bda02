#include "platform/FsError.h"
#include "platform/MountTable.h"
#include "platform/SystemDrives.h"
#include "support/TestDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// One line of mountinfo with the fields the drive table looks at; the rest is typical filler.
QByteArray mountLine(const QByteArray& device, const QByteArray& mountPoint,
                     const QByteArray& fsType, const QByteArray& source = "/dev/sda1")
{
    return "40 26 " + device + " / " + mountPoint + " rw,relatime shared:1 - " + fsType + ' ' +
           source + " rw\n";
}

// The root file system every table below starts with: an internal disk partition.
const QByteArray rootLine = mountLine("8:2", "/", "ext4", "/dev/sda2");

// "/media/usb  [MUSIC] removable": what a drive list shows, and whether it is removable.
QString describe(const QList<Volume>& volumes)
{
    QStringList lines;
    for (const Volume& v : volumes)
        lines.append(drives::driveText(v) + (v.removable ? u" removable"_s : QString()));
    return lines.join(u"; "_s);
}

} // namespace

class TestMountTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void parseMountInfo_data();
    void parseMountInfo();

    void volumes_data();
    void volumes();

    void systemDrives();

private:
    // A symbolic link at link to target, relative as the kernel and udev make them.
    bool link(const QString& link, const QString& target) const;
    mounttable::Sources sources(const QString& homePath) const;

    TestDir m_dir;
};

bool TestMountTable::link(const QString& link, const QString& target) const
{
    const QString linkPath = m_dir(link);
    const QString folder = QFileInfo(linkPath).path();
    QDir().mkpath(folder);
    return QFile::link(QDir(folder).relativeFilePath(m_dir(target)), linkPath);
}

mounttable::Sources TestMountTable::sources(const QString& homePath) const
{
    return {m_dir(u"sys"_s), m_dir(u"dev/disk/by-label"_s), homePath};
}

void TestMountTable::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_dir.create({u"sys/bus/usb/"_s, u"sys/bus/mmc/"_s, u"sys/bus/pci/"_s, u"sys/class/block/"_s});

    const QString usb = u"sys/devices/pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6"_s;
    const QString sata = u"sys/devices/pci0000:00/0000:00:17.0"_s;
    const QString mmc = u"sys/devices/platform/soc/mmc_host/mmc0/mmc0:aaaa"_s;
    const QString emmc = u"sys/devices/platform/soc/mmc_host/mmc1/mmc1:0001"_s;
    const QString nvme = u"sys/devices/pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0"_s;
    // Whole disks and whether they say they are removable. The USB stick does not: its bus
    // decides.
    const QList<std::pair<QString, QByteArray>> disks{
        {usb + u"/target6:0:0/6:0:0:0/block/sdb"_s, "0"},
        {sata + u"/ata1/host0/target0:0:0/0:0:0:0/block/sda"_s, "0"},
        {sata + u"/ata2/host1/target1:0:0/1:0:0:0/block/sr0"_s, "1"},
        {sata + u"/ata3/host2/target2:0:0/2:0:0:0/block/sdc"_s, "1"},
        {mmc + u"/block/mmcblk0"_s, "0"},
        {emmc + u"/block/mmcblk1"_s, "0"},
        {nvme + u"/nvme0n1"_s, "0"},
        {u"sys/devices/virtual/block/loop0"_s, "0"},
    };
    for (const auto& [disk, removable] : disks) {
        m_dir.file(disk + u"/removable"_s, removable + '\n');
        QVERIFY(link(disk + u"/subsystem"_s, u"sys/class/block"_s));
    }
    // The devices by major:minor; a partition's folder lies inside its disk's.
    const QList<std::pair<QString, QString>> devices{
        {u"8:17"_s, disks.at(0).first + u"/sdb1"_s},
        {u"8:1"_s, disks.at(1).first + u"/sda1"_s},
        {u"8:2"_s, disks.at(1).first + u"/sda2"_s},
        {u"11:0"_s, disks.at(2).first},
        {u"8:33"_s, disks.at(3).first + u"/sdc1"_s},
        {u"179:1"_s, disks.at(4).first + u"/mmcblk0p1"_s},
        {u"179:9"_s, disks.at(5).first + u"/mmcblk1p1"_s},
        {u"259:1"_s, disks.at(6).first + u"/nvme0n1p1"_s},
        {u"7:0"_s, disks.at(7).first},
    };
    for (const auto& [device, folder] : devices) {
        QVERIFY(link(u"sys/dev/block/"_s + device, folder));
        if (QFileInfo::exists(m_dir(folder + u"/removable"_s)))
            continue;
        m_dir.file(folder + u"/partition"_s, "1\n");
        QVERIFY(link(folder + u"/subsystem"_s, u"sys/class/block"_s));
    }
    QVERIFY(link(u"sys/devices/pci0000:00/0000:00:14.0/subsystem"_s, u"sys/bus/pci"_s));
    QVERIFY(link(sata + u"/subsystem"_s, u"sys/bus/pci"_s));
    for (const QString& hub : {u"/usb2"_s, u"/usb2/2-1"_s, u"/usb2/2-1/2-1:1.0"_s})
        QVERIFY(link(u"sys/devices/pci0000:00/0000:00:14.0"_s + hub + u"/subsystem"_s,
                     u"sys/bus/usb"_s));
    for (const auto& [card, type] : {std::pair{mmc, "SD\n"_ba}, std::pair{emmc, "MMC\n"_ba}}) {
        QVERIFY(link(card + u"/subsystem"_s, u"sys/bus/mmc"_s));
        m_dir.file(card + u"/type"_s, type);
    }

    // udev's label links; most point at device nodes that do not exist here.
    m_dir.file(u"dev/dm-0"_s);
    QVERIFY(link(u"dev/mapper/backup"_s, u"dev/dm-0"_s));
    QVERIFY(link(u"dev/disk/by-label/SYSTEM"_s, u"dev/sda2"_s));
    QVERIFY(link(u"dev/disk/by-label/MUSIC"_s, u"dev/sdb1"_s));
    QVERIFY(link(u"dev/disk/by-label/Holiday\\x20Photos"_s, u"dev/mmcblk0p1"_s));
    QVERIFY(link(u"dev/disk/by-label/BACKUP"_s, u"dev/dm-0"_s));
}

void TestMountTable::parseMountInfo_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("entry"); // device|mount point|type|source; empty when skipped

    QTest::newRow("no optional fields")
        << "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw,discard"_ba << u"254:0|/|ext4|/dev/vda"_s;
    QTest::newRow("two optional fields, root field that is a dash")
        << "36 35 98:0 - /mnt/parent rw,noatime master:1 shared:7 - ext3 /dev/root rw"_ba
        << u"98:0|/mnt/parent|ext3|/dev/root"_s;
    QTest::newRow("tab, newline, backslash and blank in the mount point, UTF-8")
        << "81 26 8:18 / /mnt/a\\011b\\012c\\134d\\040Caf\xc3\xa9 rw - ext4 /dev/sdb2 rw"_ba
        << u"8:18|/mnt/a\tb\nc\\d Caf\u00e9|ext4|/dev/sdb2"_s;
    QTest::newRow("blank in the source")
        << "83 26 0:52 / /mnt/share rw - cifs //server/my\\040share rw"_ba
        << u"0:52|/mnt/share|cifs|//server/my share"_s;
    QTest::newRow("no separator") << "26 1 254:0 / / rw,relatime ext4 /dev/vda rw"_ba << QString();
    QTest::newRow("fields missing after the separator")
        << "27 1 254:1 / /a rw - ext4"_ba << QString();
}

void TestMountTable::parseMountInfo()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, entry);

    QStringList entries;
    for (const mounttable::MountEntry& e : mounttable::parseMountInfo(line + '\n'))
        entries.append(QStringList{e.device, e.mountPoint, e.fsType, e.source}.join(u'|'));
    QCOMPARE(entries, entry.isEmpty() ? QStringList() : QStringList{entry});
}

void TestMountTable::volumes_data()
{
    QTest::addColumn<QByteArrayList>("mountInfo");
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("volumes");

    QTest::newRow("internal, NVMe, USB stick, SD card, eMMC, loop, CD, card reader, share")
        << QByteArrayList{rootLine,
                          mountLine("8:17", "/media/me/MUSIC", "vfat", "/dev/sdb1"),
                          mountLine("7:0", "/mnt/image", "iso9660", "/dev/loop0"),
                          mountLine("179:1", "/media/me/sd", "exfat", "/dev/mmcblk0p1"),
                          mountLine("179:9", "/emmc", "ext4", "/dev/mmcblk1p1"),
                          mountLine("11:0", "/media/cdrom", "iso9660", "/dev/sr0"),
                          mountLine("8:1", "/boot", "ext4", "/dev/sda1"),
                          mountLine("259:1", "/data", "ext4", "/dev/nvme0n1p1"),
                          mountLine("8:33", "/media/reader", "vfat", "/dev/sdc1"),
                          mountLine("0:52", "/mnt/share", "cifs", "//server/share")}
        << u"/home/me"_s
        << u"/  [SYSTEM]; /boot; /data; /emmc; /media/cdrom removable; /media/me/MUSIC  [MUSIC] "
           u"removable; /media/me/sd  [Holiday Photos] removable; /media/reader removable; "
           u"/mnt/image; /mnt/share"_s;
    QByteArrayList leftOut{rootLine};
    for (const char* fsType : {"proc", "tmpfs", "overlay", "squashfs", "fuse.portal"})
        leftOut.append(mountLine("0:30", "/mnt/" + QByteArray(fsType), fsType, "none"));
    int minor = 40;
    for (const char* folder : {"/proc/fs/nfsd", "/sys", "/dev/hugepages", "/run/user/1000/doc",
                               "/run/media/me/STICK", "/devel", "/runner"})
        leftOut.append(mountLine("0:" + QByteArray::number(++minor), folder, "ext4", "none"));
    QTest::newRow("pseudo file systems and system folders left out")
        << leftOut << u"/home/me"_s << u"/  [SYSTEM]; /devel; /run/media/me/STICK; /runner"_s;
    QTest::newRow("second mount of a device left out, the first kept")
        << QByteArrayList{mountLine("8:17", "/media/usb", "vfat", "/dev/sdb1"), rootLine,
                          mountLine("8:17", "/mnt/again", "vfat", "/dev/sdb1"),
                          mountLine("8:2", "/srv/bound", "ext4", "/dev/sda2")}
        << u"/home/me"_s << u"/  [SYSTEM]; /media/usb  [MUSIC] removable"_s;
    QTest::newRow("a left-out mount does not hide a later one of its device")
        << QByteArrayList{rootLine, mountLine("8:17", "/run/stick", "vfat", "/dev/sdb1"),
                          mountLine("8:17", "/media/usb", "vfat", "/dev/sdb1")}
        << u"/home/me"_s << u"/  [SYSTEM]; /media/usb  [MUSIC] removable"_s;
    QTest::newRow("label of a source that is a link, and of /dev/root")
        << QByteArrayList{mountLine("8:2", "/", "ext4", QFile::encodeName(m_dir(u"dev/root"_s))),
                          mountLine("254:0", "/backup", "ext4",
                                    QFile::encodeName(m_dir(u"dev/mapper/backup"_s)))}
        << u"/home/me"_s << u"/  [SYSTEM]; /backup  [BACKUP]"_s;
    QTest::newRow("no / listed: a container's table")
        << QByteArrayList{mountLine("8:17", "/media/usb", "vfat", "/dev/sdb1")} << u"/home/me"_s
        << u"/; /media/usb  [MUSIC] removable"_s;
    QTest::newRow("/ as overlay") << QByteArrayList{mountLine("0:40", "/", "overlay", "overlay")}
                                  << u"/home/me"_s << u"/"_s;
    QTest::newRow("/ on a USB stick is not removable")
        << QByteArrayList{mountLine("8:17", "/", "ext4", "/dev/sdb1")} << u"/home/me"_s
        << u"/  [MUSIC]"_s;
    QTest::newRow("the volume holding the home folder is not removable")
        << QByteArrayList{rootLine, mountLine("8:17", "/media/usb", "ext4", "/dev/sdb1"),
                          mountLine("179:1", "/media/sd", "ext4", "/dev/mmcblk0p1")}
        << u"/media/usb/home/me"_s
        << u"/  [SYSTEM]; /media/sd  [Holiday Photos] removable; /media/usb  [MUSIC]"_s;
    QTest::newRow("home folder that is a mount point itself")
        << QByteArrayList{rootLine, mountLine("179:1", "/home", "ext4", "/dev/mmcblk0p1")}
        << u"/home"_s << u"/  [SYSTEM]; /home  [Holiday Photos]"_s;
}

void TestMountTable::volumes()
{
    QFETCH(QByteArrayList, mountInfo);
    QFETCH(QString, home);
    QTEST(describe(mounttable::volumesOf(mountInfo.join(), sources(home))), "volumes");
}

// The drive table of this machine: the root volume is there, a plain folder is no drive.
void TestMountTable::systemDrives()
{
    const SystemDrives system;
    QCOMPARE(system.systemMountPoint(), u"/"_s);
    QVERIFY(drives::volumeOf(system.volumes(), u"/"_s).has_value());
    QVERIFY(system.isReady(u"/"_s));
    QVERIFY(system.freeSpace(u"/"_s) > 0);

    const QString folder = m_dir.mkdir(u"plain folder"_s);
    QVERIFY(!system.isReady(folder));
    try {
        system.freeSpace(folder);
        QFAIL("freeSpace of a folder that is no mount point did not throw");
    } catch (const FsError& e) {
        QCOMPARE(e.kind(), FsErrorKind::DeviceUnavailable);
        QCOMPARE(e.path(), folder);
    }
}

QTEST_GUILESS_MAIN(TestMountTable)
#include "tst_mounttable.moc"
