#include "AppendGuard.h"

#include "DirSlots.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <unistd.h>

#include <cerrno>

using namespace Qt::StringLiterals;

AppendGuard::AppendGuard(int folderFd, QString path)
    : m_fd(folderFd)
    , m_path(std::move(path))
    , m_active(dirslots::keepsStoredOrder(folderFd))
    , m_readsBack(dirslots::readsBackStoredOrder(folderFd))
{
}

AppendGuard::~AppendGuard()
{
    try {
        finish();
    } catch (const FsError&) {
    }
}

void AppendGuard::beforeCreating()
{
    if (!m_active || m_prepared)
        return;
    dirslots::removeLeftPlaceholders(m_fd, m_path);
    m_placeholders = dirslots::fillGaps(m_fd, m_path);
    m_known = dirslots::storedNames(m_fd, m_path);
    m_prepared = true;
}

void AppendGuard::created(const QByteArray& name)
{
    if (!m_prepared || !m_readsBack)
        return;
    for (const QByteArray& known : m_known) {
        if (dirslots::sameName(known, name))
            return;
    }
    const QList<QByteArray> names = dirslots::storedNames(m_fd, m_path);
    if (names.isEmpty() || !dirslots::sameName(names.last(), name))
        throw FsError(FsErrorKind::Other, paths::join(m_path, paths::fromNative(name)),
                      u"The drive stored the entry before others, out of the copying order."_s,
                      u"Disken lade posten före andra, utanför kopieringsordningen."_s);
    m_known.append(name);
}

void AppendGuard::finish()
{
    if (m_placeholders.isEmpty())
        return;
    const QList<QByteArray> placeholders = std::exchange(m_placeholders, {});
    if (!dirslots::removePlaceholders(m_fd, placeholders) || ::syncfs(m_fd) != 0)
        throw FsError::fromErrno(errno, m_path);
}
