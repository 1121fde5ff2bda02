#include "NameSort.h"

#include "DirSlots.h"
#include "platform/Fd.h"
#include "platform/Folders.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

using namespace Qt::StringLiterals;

namespace namesort {

namespace {

const QByteArray SortFolder = "Ordrane is sorting this folder";

bool isFolder(int folderFd, const QByteArray& name)
{
    struct stat st {};
    return ::fstatat(folderFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISDIR(st.st_mode);
}

// Moves an entry between two open folders, never over an entry of the same name.
bool move(int fromFd, const QByteArray& name, int toFd)
{
    if (::renameat2(fromFd, name.constData(), toFd, name.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    struct stat st {};
    if (::fstatat(toFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::renameat(fromFd, name.constData(), toFd, name.constData()) == 0;
}

// The order the program's lists show: folders, then files, each in natural name order; hidden
// entries (names starting with ".") last, as they were stored.
QList<QByteArray> nameOrder(int folderFd, const QList<QByteArray>& names)
{
    QStringList folders;
    QStringList files;
    QList<QByteArray> hidden;
    for (const QByteArray& name : names) {
        if (name.startsWith('.'))
            hidden.append(name);
        else if (isFolder(folderFd, name))
            folders.append(paths::fromNative(name));
        else
            files.append(paths::fromNative(name));
    }
    paths::sortNaturally(folders);
    paths::sortNaturally(files);
    QList<QByteArray> order;
    for (const QString& name : folders + files)
        order.append(paths::toNative(name));
    return order + hidden;
}

class FolderSort {
public:
    FolderSort(const QString& path, Step step)
        : m_path(path)
        , m_step(std::move(step))
        , m_fd(::open(paths::toNative(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        struct stat st {};
        if (m_fd.get() < 0 || ::fstat(m_fd.get(), &st) != 0)
            throw FsError::fromErrno(errno, path);
        m_time = st.st_mtim;
    }

    bool run()
    {
        try {
            if (!sortEntries())
                return false;
        } catch (const FsError&) {
            putBack();
            throw;
        }
        if (::syncfs(m_fd.get()) != 0)
            throw FsError::fromErrno(errno, m_path);
        return true;
    }

private:
    // The folder keeps its own time after every step, so that also an interrupted sort leaves
    // it (the root of a FAT volume has none to keep).
    bool stepDone()
    {
        const timespec times[2] = {{0, UTIME_OMIT}, m_time};
        ::futimens(m_fd.get(), times);
        return !m_step || m_step();
    }

    [[noreturn]] void fail() { throw FsError::fromErrno(errno, m_path); }

    bool sortEntries()
    {
        dirslots::removeLeftPlaceholders(m_fd.get(), m_path);
        if (!isFolder(m_fd.get(), SortFolder)) {
            m_fillers = dirslots::fillGaps(m_fd.get(), m_path);
            if (!stepDone())
                return false;
            if (::mkdirat(m_fd.get(), SortFolder.constData(), 0755) != 0)
                fail();
            if (!stepDone())
                return false;
            if (!dirslots::removePlaceholders(m_fd.get(), std::exchange(m_fillers, {})))
                fail();
            if (!stepDone())
                return false;
        }
        m_sortFd = Fd(::openat(m_fd.get(), SortFolder.constData(),
                               O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (m_sortFd.get() < 0)
            fail();
        for (const QByteArray& name : dirslots::storedNames(m_fd.get(), m_path)) {
            if (name == SortFolder)
                continue;
            if (!move(m_fd.get(), name, m_sortFd.get()))
                fail();
            if (!stepDone())
                return false;
        }
        const QString sortPath = paths::join(m_path, paths::fromNative(SortFolder));
        for (const QByteArray& name :
             nameOrder(m_sortFd.get(), dirslots::storedNames(m_sortFd.get(), sortPath))) {
            if (!move(m_sortFd.get(), name, m_fd.get()))
                fail();
            if (!stepDone())
                return false;
        }
        if (::unlinkat(m_fd.get(), SortFolder.constData(), AT_REMOVEDIR) != 0)
            fail();
        return stepDone();
    }

    // After a failure: whatever can be is moved back out of the sort folder, and the sort
    // folder and the placeholders go. What is left, the next sort finishes.
    void putBack()
    {
        dirslots::removePlaceholders(m_fd.get(), m_fillers);
        if (m_sortFd.get() < 0)
            return;
        const QString sortPath = paths::join(m_path, paths::fromNative(SortFolder));
        try {
            for (const QByteArray& name : dirslots::storedNames(m_sortFd.get(), sortPath))
                move(m_sortFd.get(), name, m_fd.get());
        } catch (const FsError&) {
            return;
        }
        ::unlinkat(m_fd.get(), SortFolder.constData(), AT_REMOVEDIR);
        ::syncfs(m_fd.get());
    }

    QString m_path;
    Step m_step;
    Fd m_fd;
    Fd m_sortFd;
    timespec m_time{};
    QList<QByteArray> m_fillers;
};

} // namespace

QString sortFolderName()
{
    return QString::fromLatin1(SortFolder);
}

bool sortByName(const QString& folder, const Step& step)
{
    if (!FolderSort(folder, step).run())
        return false;
    for (const QString& subfolder : folders::subfolders(folder)) {
        if (!FolderSort(subfolder, step).run())
            return false;
    }
    return true;
}

bool finishInterrupted(const QString& folder)
{
    bool finished = false;
    for (const QString& candidate : QStringList{folder} + folders::subfolders(folder)) {
        if (folders::canOpen(paths::join(candidate, sortFolderName()))) {
            FolderSort(candidate, {}).run();
            finished = true;
        }
    }
    return finished;
}

} // namespace namesort
