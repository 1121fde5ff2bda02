#pragma once

#include "Drives.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// The drive table of Linux, worked out from the kernel's mount table, sysfs and udev's label
// links. Every input is a parameter, so tests hand in sample text and a fake sysfs tree.
namespace mounttable {

// One line of /proc/self/mountinfo, with the kernel's octal escapes decoded.
struct MountEntry {
    QString device;     // "major:minor"
    QString mountPoint; // "/media/usb stick"
    QString fsType;     // "ext4", "fuse.sshfs"
    QString source;     // "/dev/sdb1", or whatever the file system put there

    friend bool operator==(const MountEntry&, const MountEntry&) = default;
};

// Where the facts about the devices come from: "/sys", "/dev/disk/by-label" and the home
// folder on a real system.
struct Sources {
    QString sysRoot;
    QString byLabelFolder;
    QString homePath;
};

// The lines of mountinfo text in their order; lines that do not have the format are skipped.
QList<MountEntry> parseMountInfo(const QByteArray& text);

// Whether the block device "major:minor" can be unplugged: its whole disk says removable = 1,
// or it hangs off a usb, ieee1394, memstick or pcmcia bus, or an mmc bus as an SD card; a device
// mapper or RAID volume when every device under it (slaves/) can. A device sysfs does not know
// (btrfs gives an anonymous one) takes the state of the device the mount's source names; with
// none, as for a network or virtual file system, it is fixed.
bool isRemovableDevice(const QString& sysRoot, const QString& device, const QString& source);

// The labels of udev's by-label folder, keyed by the kernel name of the device ("sdb1").
QHash<QString, QString> labelsByDevice(const QString& byLabelFolder);

// The drives of the mountinfo text: mounts of pseudo and memory file systems, mounts under
// /proc, /sys, /dev and /run (but /run/media) and further mounts of a device already listed
// are left out. "/" is always a drive, listed or not. Sorted by mount point, so "/" comes first.
// "/" and the volume holding the home folder are never removable.
QList<Volume> volumesOf(const QByteArray& mountInfo, const Sources& sources);

} // namespace mounttable
