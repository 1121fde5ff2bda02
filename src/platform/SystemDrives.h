#pragma once

#include "Drives.h"

#include <QByteArray>
#include <QTimer>

// The drive table of this machine: the kernel's mount table, sysfs and udev's label links,
// read anew on every call. The mount table is watched: a mount or unmount is told within a
// second.
class SystemDrives final : public Drives {
    Q_OBJECT

public:
    SystemDrives();

    QList<Volume> volumes() const override;
    QString systemMountPoint() const override;
    bool isReady(const QString& mountPoint) const override;
    qint64 freeSpace(const QString& mountPoint) const override;

private:
    void checkMountTable();

    QTimer m_watch;
    QByteArray m_mountInfo;
};
