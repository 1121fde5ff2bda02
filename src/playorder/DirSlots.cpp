#include "DirSlots.h"

#include "platform/Fd.h"
#include "platform/FsError.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace dirslots {

namespace {

constexpr long ExfatMagic = 0x2011BAB0;
constexpr long FuseMagic = 0x65735546;
// A folder's size counts its slots, used or free, of 32 bytes each; where it does not (FUSE), the
// longest name takes 21 slots. More placeholders than that would mean the volume does not place
// entries as described.
constexpr qsizetype SlotSize = 32;
constexpr qsizetype SlotsPerEntry = 21;

QByteArray placeholderName(int number)
{
    return "GAP" + QByteArray::number(number).rightJustified(5, '0') + ".ORD";
}

} // namespace

QList<QByteArray> storedNames(int folderFd, const QString& path)
{
    const int fd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw FsError::fromErrno(errno, path);
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        const int err = errno;
        ::close(fd);
        throw FsError::fromErrno(err, path);
    }
    QList<QByteArray> names;
    errno = 0;
    while (const dirent* e = ::readdir(dir)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
            names.append(QByteArray(e->d_name));
        errno = 0;
    }
    const int err = errno;
    ::closedir(dir);
    if (err != 0)
        throw FsError::fromErrno(err, path);
    return names;
}

bool sameName(const QByteArray& a, const QByteArray& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isPlaceholderName(const QByteArray& name)
{
    const QByteArray upper = name.toUpper();
    if (upper.size() != 12 || !upper.startsWith("GAP") || !upper.endsWith(".ORD"))
        return false;
    for (int i = 3; i < 8; ++i) {
        if (upper[i] < '0' || upper[i] > '9')
            return false;
    }
    return true;
}

int removeLeftPlaceholders(int folderFd, const QString& path)
{
    int removed = 0;
    for (const QByteArray& name : storedNames(folderFd, path)) {
        struct stat st {};
        if (!isPlaceholderName(name) ||
            ::fstatat(folderFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_size != 0)
            continue;
        if (::unlinkat(folderFd, name.constData(), 0) != 0)
            throw FsError::fromErrno(errno, path);
        ++removed;
    }
    return removed;
}

QList<QByteArray> fillGaps(int folderFd, const QString& path)
{
    QList<QByteArray> made;
    const auto fail = [&](int err) {
        removePlaceholders(folderFd, made);
        return FsError::fromErrno(err, path);
    };
    struct stat st {};
    if (::fstat(folderFd, &st) != 0)
        throw FsError::fromErrno(errno, path);
    const qsizetype limit =
        std::max<qsizetype>(st.st_size / SlotSize,
                            storedNames(folderFd, path).size() * SlotsPerEntry) +
        SlotsPerEntry;
    for (int number = 0; made.size() < limit; ++number) {
        const QByteArray name = placeholderName(number);
        const Fd file(::openat(folderFd, name.constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (file.get() < 0 && errno == EEXIST)
            continue;
        // A full folder that cannot grow has no gap left either.
        if (file.get() < 0 && errno == ENOSPC)
            return made;
        if (file.get() < 0)
            throw fail(errno);
        QList<QByteArray> names;
        try {
            names = storedNames(folderFd, path);
        } catch (const FsError&) {
            ::unlinkat(folderFd, name.constData(), 0);
            removePlaceholders(folderFd, made);
            throw;
        }
        if (sameName(names.last(), name)) {
            if (::unlinkat(folderFd, name.constData(), 0) != 0)
                throw fail(errno);
            return made;
        }
        made.append(name);
    }
    removePlaceholders(folderFd, made);
    throw FsError(FsErrorKind::Other, path, u"The folder's free slots could not be filled."_s,
                  u"Folderns lediga platser kunde inte fyllas."_s);
}

bool removePlaceholders(int folderFd, const QList<QByteArray>& names)
{
    bool all = true;
    for (const QByteArray& name : names) {
        if (::unlinkat(folderFd, name.constData(), 0) != 0 && errno != ENOENT)
            all = false;
    }
    return all;
}

bool keepsStoredOrder(int folderFd)
{
    struct statfs fs {};
    struct stat st {};
    if (::fstatfs(folderFd, &fs) != 0 || ::fstat(folderFd, &st) != 0)
        return false;
    const long type = static_cast<long>(fs.f_type);
    return type == MSDOS_SUPER_MAGIC || type == ExfatMagic ||
           (type == FuseMagic && major(st.st_dev) != 0);
}

} // namespace dirslots
