#include "SystemDrives.h"

#include "FsError.h"
#include "MountTable.h"

#include <QDir>
#include <QFile>

#include <sys/statvfs.h>

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

bool isMounted(const QList<Volume>& volumes, const QString& mountPoint)
{
    return std::any_of(volumes.cbegin(), volumes.cend(),
                       [&](const Volume& v) { return v.mountPoint == mountPoint; });
}

} // namespace

QList<Volume> SystemDrives::volumes() const
{
    QFile mountInfo(u"/proc/self/mountinfo"_s);
    if (!mountInfo.open(QIODevice::ReadOnly))
        return {};
    const QString home = QDir(QDir::homePath()).canonicalPath();
    return mounttable::volumesOf(mountInfo.readAll(), {u"/sys"_s, u"/dev/disk/by-label"_s,
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
