#pragma once

#include "Drives.h"
#include "Fd.h"

#include <QByteArray>
#include <QList>
#include <QSocketNotifier>

#include <memory>

// The drive table of this machine: the kernel's mount table, sysfs and udev's label links. The
// table is read when the kernel signals a change of the mount table (POLLPRI on
// /proc/self/mountinfo) and kept until the next one; nothing runs while nothing changes.
class SystemDrives final : public Drives {
    Q_OBJECT

public:
    SystemDrives();

    QList<Volume> volumes() const override;
    QString systemMountPoint() const override;
    bool isReady(const QString& mountPoint) const override;
    qint64 freeSpace(const QString& mountPoint) const override;

private:
    // Reads the mount table again, and the volumes when it changed; true when it did.
    bool reread() const;
    // Takes a change the kernel signalled but the window's events have not told yet.
    void takePendingChange() const;
    void changed();
    void announce();

    Fd m_mountInfo;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QString m_home;
    mutable QByteArray m_mountInfoText;
    mutable QList<Volume> m_volumes;
};
