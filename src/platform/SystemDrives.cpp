#include "SystemDrives.h"

#include "FsError.h"
#include "MountTable.h"

#include <QDir>
#include <QFile>

#include <sys/statvfs.h>

#include <algorithm>
#include <cerrno>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QByteArray readMountInfo()
{
    QFile mountInfo(u"/proc/self/mountinfo"_s);
    return mountInfo.open(QIODevice::ReadOnly) ? mountInfo.readAll() : QByteArray();
}

bool isMounted(const QList<Volume>& volumes, const QString& mountPoint)
{
    return std::any_of(volumes.cbegin(), volumes.cend(),
                       [&](const Volume& v) { return v.mountPoint == mountPoint; });
}

} // namespace

SystemDrives::SystemDrives()
    : m_mountInfo(readMountInfo())
{
    // The kernel's text of a few kilobytes is read twice a second and only compared; the drive
    // lists read the volumes anew when it changes.
    m_watch.setInterval(500);
    connect(&m_watch, &QTimer::timeout, this, &SystemDrives::checkMountTable);
    m_watch.start();
}

void SystemDrives::checkMountTable()
{
    QByteArray now = readMountInfo();
    if (now == m_mountInfo)
        return;
    m_mountInfo = std::move(now);
    Q_EMIT volumesChanged();
}

QList<Volume> SystemDrives::volumes() const
{
    const QString home = QDir(QDir::homePath()).canonicalPath();
    return mounttable::volumesOf(readMountInfo(), {u"/sys"_s, u"/dev/disk/by-label"_s,
                                                   home.isEmpty() ? QDir::homePath() : home});
}

QString SystemDrives::systemMountPoint() const
{
    return u"/"_s;
}

bool SystemDrives::isReady(const QString& mountPoint) const
{
    struct statvfs st {};
    return isMounted(volumes(), mountPoint) &&
           statvfs(QFile::encodeName(mountPoint).constData(), &st) == 0;
}

qint64 SystemDrives::freeSpace(const QString& mountPoint) const
{
    if (!isMounted(volumes(), mountPoint))
        throw FsError(FsErrorKind::DeviceUnavailable, mountPoint);
    struct statvfs st {};
    if (statvfs(QFile::encodeName(mountPoint).constData(), &st) != 0)
        throw FsError::fromErrno(errno, mountPoint);
    return static_cast<qint64>(st.f_bavail) * static_cast<qint64>(st.f_frsize);
}
