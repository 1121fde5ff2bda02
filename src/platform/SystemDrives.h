#pragma once

#include "Drives.h"

// The drive table of this machine: the kernel's mount table, sysfs and udev's label links,
// read anew on every call.
class SystemDrives final : public Drives {
public:
    SystemDrives() = default;

    QList<Volume> volumes() const override;
    QString systemMountPoint() const override;
    bool isReady(const QString& mountPoint) const override;
    qint64 freeSpace(const QString& mountPoint) const override;
};
