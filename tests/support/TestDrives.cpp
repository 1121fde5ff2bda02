#include "TestDrives.h"

#include "platform/FsError.h"

#include <QFileInfo>

#include <sys/statvfs.h>

#include <cerrno>

void TestDrives::add(const QString& folder, bool removable, const QString& label,
                     const QString& fileSystem)
{
    m_entries.insert(folder, Entry{Volume{folder, label, removable, fileSystem}, true, {}});
}

QList<Volume> TestDrives::volumes() const
{
    QList<Volume> list;
    for (const Entry& e : m_entries)
        list.append(e.volume);
    return list;
}

bool TestDrives::isReady(const QString& mountPoint) const
{
    const auto it = m_entries.constFind(mountPoint);
    return it != m_entries.constEnd() && it->ready && QFileInfo(mountPoint).isDir();
}

qint64 TestDrives::freeSpace(const QString& mountPoint) const
{
    if (!isReady(mountPoint))
        throw FsError(FsErrorKind::DeviceUnavailable, mountPoint);
    const Entry& e = m_entries[mountPoint];
    if (e.freeSpace)
        return *e.freeSpace;
    struct statvfs st {};
    if (statvfs(QFile::encodeName(mountPoint).constData(), &st) != 0)
        throw FsError::fromErrno(errno, mountPoint);
    return static_cast<qint64>(st.f_bavail) * static_cast<qint64>(st.f_frsize);
}
