#include "SystemDrives.h"

#include "FsError.h"
#include "MountTable.h"
#include "Paths.h"

#include <QDir>

#include <fcntl.h>
#include <poll.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

using namespace Qt::StringLiterals;

namespace {

bool isMounted(const QList<Volume>& volumes, const QString& mountPoint)
{
    return std::any_of(volumes.cbegin(), volumes.cend(),
                       [&](const Volume& v) { return v.mountPoint == mountPoint; });
}

// The whole text of the open mount table, read from its start.
QByteArray readAll(int fd)
{
    QByteArray text;
    if (fd < 0 || ::lseek(fd, 0, SEEK_SET) != 0)
        return text;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return text;
        text.append(buffer, got);
    }
}

} // namespace

SystemDrives::SystemDrives()
    : m_mountInfo(::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC))
{
    const QString home = QDir(QDir::homePath()).canonicalPath();
    m_home = home.isEmpty() ? QDir::homePath() : home;
    reread();
    if (m_mountInfo.get() >= 0) {
        m_notifier =
            std::make_unique<QSocketNotifier>(m_mountInfo.get(), QSocketNotifier::Exception);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &SystemDrives::changed);
    }
}

bool SystemDrives::reread() const
{
    QByteArray text = readAll(m_mountInfo.get());
    if (text == m_mountInfoText && !m_volumes.isEmpty())
        return false;
    m_mountInfoText = std::move(text);
    m_volumes =
        mounttable::volumesOf(m_mountInfoText, {u"/sys"_s, u"/dev/disk/by-label"_s, m_home});
    return true;
}

void SystemDrives::changed()
{
    if (reread())
        announce();
}

void SystemDrives::announce()
{
    Q_EMIT volumesChanged();
}

void SystemDrives::takePendingChange() const
{
    // Polling takes the kernel's signal, so the notifier will not see it: the lists are told
    // once the window's events run.
    pollfd watch{m_mountInfo.get(), POLLPRI, 0};
    if (m_mountInfo.get() < 0 || ::poll(&watch, 1, 0) <= 0 || !(watch.revents & POLLPRI))
        return;
    if (reread())
        QMetaObject::invokeMethod(const_cast<SystemDrives*>(this), &SystemDrives::announce,
                                  Qt::QueuedConnection);
}

QList<Volume> SystemDrives::volumes() const
{
    takePendingChange();
    return m_volumes;
}

QString SystemDrives::systemMountPoint() const
{
    return u"/"_s;
}

bool SystemDrives::isReady(const QString& mountPoint) const
{
    struct statvfs st {};
    return isMounted(volumes(), mountPoint) &&
           statvfs(paths::toNative(mountPoint).constData(), &st) == 0;
}

qint64 SystemDrives::freeSpace(const QString& mountPoint) const
{
    if (!isMounted(volumes(), mountPoint))
        throw FsError(FsErrorKind::DeviceUnavailable, mountPoint);
    struct statvfs st {};
    if (statvfs(paths::toNative(mountPoint).constData(), &st) != 0)
        throw FsError::fromErrno(errno, mountPoint);
    return static_cast<qint64>(st.f_bavail) * static_cast<qint64>(st.f_frsize);
}
