#include "MountTable.h"

#include "Folders.h"
#include "FsError.h"
#include "Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <unistd.h>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;

namespace mounttable {

namespace {

// File systems that hold no files of the user: kernel interfaces, memory, containers and
// read-only images, and the FUSE helpers of the desktop.
constexpr QStringView pseudoFileSystems[] = {
    u"proc",   u"sysfs",   u"cgroup",   u"cgroup2",         u"devtmpfs",    u"devpts",
    u"tmpfs",  u"ramfs",   u"mqueue",   u"tracefs",         u"securityfs",  u"bpf",
    u"pstore", u"debugfs", u"configfs", u"fusectl",         u"binfmt_misc", u"hugetlbfs",
    u"autofs", u"overlay", u"squashfs", u"fuse.gvfsd-fuse", u"fuse.portal",
};

// Buses a device can be unplugged from while the machine runs. On the mmc bus only an SD card
// can; an eMMC chip (card type "MMC") is soldered in.
constexpr QStringView hotplugBuses[] = {u"usb", u"ieee1394", u"memstick", u"pcmcia"};

template <std::size_t N> bool isOneOf(const QString& name, const QStringView (&names)[N])
{
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// path is folder or lies inside it.
bool isUnder(const QString& path, QStringView folder)
{
    return path.startsWith(folder) &&
           (path.size() == folder.size() || path.at(folder.size()) == u'/');
}

bool isSystemFolder(const QString& mountPoint)
{
    if (isUnder(mountPoint, u"/run/media"))
        return false;
    return isUnder(mountPoint, u"/proc") || isUnder(mountPoint, u"/sys") ||
           isUnder(mountPoint, u"/dev") || isUnder(mountPoint, u"/run");
}

int digitValue(char c, int base)
{
    const int value = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : base;
    return value < base ? value : -1;
}

// Decodes escapes of the form introducer + digits digits of base: the kernel writes "\040"
// (octal) for a blank in a mount point, udev "\x20" (hex) for one in a label.
QByteArray decodeEscapes(const QByteArray& text, QByteArrayView introducer, int digits, int base)
{
    const QByteArrayView view(text);
    QByteArray decoded;
    decoded.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype end = i + introducer.size() + digits;
        if (end <= text.size() && view.sliced(i).startsWith(introducer)) {
            int value = 0;
            for (qsizetype d = i + introducer.size(); d < end && value >= 0; ++d) {
                const int digit = digitValue(text.at(d), base);
                value = digit < 0 ? -1 : value * base + digit;
            }
            if (value >= 0 && value <= 0xff) {
                decoded.append(static_cast<char>(value));
                i = end;
                continue;
            }
        }
        decoded.append(text.at(i));
        ++i;
    }
    return decoded;
}

QString decodeMountInfoField(const QByteArray& field)
{
    return paths::fromNative(decodeEscapes(field, "\\", 3, 8));
}

// The folder of the block device in sysfs, symbolic links resolved; empty when sysfs does not
// know the device.
QString sysfsDevicePath(const QString& sysRoot, const QString& device)
{
    return QFileInfo(sysRoot + u"/dev/block/"_s + device).canonicalFilePath();
}

// A partition's folder lies inside the folder of its disk.
QString diskOf(const QString& devicePath)
{
    return QFileInfo::exists(devicePath + u"/partition"_s) ? QFileInfo(devicePath).path()
                                                           : devicePath;
}

bool isRemovableDisk(const QString& devicePath)
{
    QFile removable(diskOf(devicePath) + u"/removable"_s);
    return removable.open(QIODevice::ReadOnly) && removable.readAll().trimmed() == "1";
}

bool hangsOffHotplugBus(const QString& sysRoot, const QString& devicePath)
{
    const QString devices = QDir(sysRoot).canonicalPath() + u"/devices/"_s;
    for (QString folder = devicePath; folder.startsWith(devices);
         folder = QFileInfo(folder).path()) {
        const QFileInfo subsystem(folder + u"/subsystem"_s);
        if (!subsystem.isSymLink())
            continue;
        const QString bus = QFileInfo(subsystem.symLinkTarget()).fileName();
        if (isOneOf(bus, hotplugBuses))
            return true;
        if (bus == u"mmc") {
            QFile type(folder + u"/type"_s);
            return type.open(QIODevice::ReadOnly) && type.readAll().trimmed() == "SD";
        }
    }
    return false;
}

// The kernel name of the device a mount's source names: "/dev/sdb1" and a link
// "/dev/mapper/music" to "../dm-0" give "sdb1" and "dm-0".
QString sourceDeviceName(const QString& source)
{
    if (!source.startsWith(u'/'))
        return {};
    const QString resolved = folders::realPath(source);
    return paths::folderName(resolved.isEmpty() ? source : resolved);
}

// A device mapper or RAID volume (its disk lists slaves) can be unplugged when every device it
// lies on can.
bool isRemovableAt(const QString& sysRoot, const QString& devicePath, int depth)
{
    const QDir slaves(diskOf(devicePath) + u"/slaves"_s);
    const QStringList names =
        slaves.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    if (names.isEmpty() || depth > 8)
        return isRemovableDisk(devicePath) || hangsOffHotplugBus(sysRoot, devicePath);
    return std::all_of(names.cbegin(), names.cend(), [&](const QString& name) {
        const QString slave = QFileInfo(slaves.filePath(name)).canonicalFilePath();
        return !slave.isEmpty() && isRemovableAt(sysRoot, slave, depth + 1);
    });
}

QString labelOf(const MountEntry& mount, const QHash<QString, QString>& labels,
                const QString& sysRoot)
{
    const auto bySource = labels.constFind(sourceDeviceName(mount.source));
    if (bySource != labels.constEnd())
        return *bySource;
    // A source such as "/dev/root" names no device node; sysfs knows the kernel name.
    const QString devicePath = sysfsDevicePath(sysRoot, mount.device);
    return devicePath.isEmpty() ? QString() : labels.value(QFileInfo(devicePath).fileName());
}

} // namespace

QList<MountEntry> parseMountInfo(const QByteArray& text)
{
    QList<MountEntry> entries;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        // ID, parent ID, major:minor, root, mount point, options, optional fields, "-",
        // file system type, source, super options.
        const qsizetype separator = fields.indexOf("-"_ba, 6);
        if (separator < 0 || separator + 2 >= fields.size())
            continue;
        entries.append(MountEntry{QString::fromLatin1(fields.at(2)),
                                  decodeMountInfoField(fields.at(4)),
                                  decodeMountInfoField(fields.at(separator + 1)),
                                  decodeMountInfoField(fields.at(separator + 2))});
    }
    return entries;
}

bool isRemovableDevice(const QString& sysRoot, const QString& device, const QString& source)
{
    QString devicePath = sysfsDevicePath(sysRoot, device);
    if (devicePath.isEmpty()) {
        // An anonymous device (btrfs) has no entry; the device its source names may have one.
        const QString name = sourceDeviceName(source);
        if (name.isEmpty())
            return false;
        devicePath = QFileInfo(sysRoot + u"/class/block/"_s + name).canonicalFilePath();
        if (devicePath.isEmpty())
            return false;
    }
    return isRemovableAt(sysRoot, devicePath, 0);
}

QHash<QString, QString> labelsByDevice(const QString& byLabelFolder)
{
    QHash<QString, QString> labels;
    const QByteArray folder = paths::toNative(byLabelFolder);
    try {
        folders::forEachEntry(byLabelFolder, [&](const QByteArray& name, folders::Kind) {
            char target[4096];
            const ssize_t size =
                ::readlink(QByteArray(folder + '/' + name).constData(), target, sizeof target);
            if (size <= 0)
                return;
            const QByteArray device = QByteArray(target, size);
            labels.insert(paths::fromNative(device.mid(device.lastIndexOf('/') + 1)),
                          paths::fromNative(decodeEscapes(name, "\\x", 2, 16)));
        });
    } catch (const FsError&) {
        // No labelled volumes.
    }
    return labels;
}

QList<Volume> volumesOf(const QByteArray& mountInfo, const Sources& sources)
{
    const QHash<QString, QString> labels = labelsByDevice(sources.byLabelFolder);
    QList<Volume> volumes;
    QSet<QString> listedDevices;
    QString rootFileSystem;
    const QList<MountEntry> mounts = parseMountInfo(mountInfo);
    for (const MountEntry& mount : mounts) {
        if (mount.mountPoint == u"/")
            rootFileSystem = mount.fsType;
        if (isOneOf(mount.fsType, pseudoFileSystems) || isSystemFolder(mount.mountPoint) ||
            listedDevices.contains(mount.device))
            continue;
        listedDevices.insert(mount.device);
        volumes.append(Volume{mount.mountPoint, labelOf(mount, labels, sources.sysRoot),
                              isRemovableDevice(sources.sysRoot, mount.device, mount.source),
                              mount.fsType});
    }
    // The system drive is always there, also in a container or chroot whose table lists no "/"
    // or lists it as overlay.
    if (!std::any_of(volumes.cbegin(), volumes.cend(),
                     [](const Volume& v) { return v.mountPoint == u"/"; }))
        volumes.append(Volume{u"/"_s, QString(), false, rootFileSystem});
    // "/" is a prefix of every other mount point, so it sorts first.
    std::sort(volumes.begin(), volumes.end(),
              [](const Volume& a, const Volume& b) { return a.mountPoint < b.mountPoint; });
    const std::optional<Volume> home = drives::volumeOf(volumes, sources.homePath);
    for (Volume& volume : volumes) {
        if (volume.mountPoint == u"/" || (home && volume.mountPoint == home->mountPoint))
            volume.removable = false;
    }
    return volumes;
}

} // namespace mounttable
