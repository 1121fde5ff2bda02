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

// Makes an empty placeholder under the first free number from number on, and moves number past
// it. Returns its name, or an empty name when the folder is full (it cannot grow, so it has no gap
// left either). Any other failure removes the placeholders made and throws FsError naming path.
QByteArray makePlaceholder(int folderFd, const QString& path, int& number,
                           const QList<QByteArray>& made)
{
    for (;; ++number) {
        const QByteArray name = placeholderName(number);
        const Fd file(::openat(folderFd, name.constData(),
                               O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (file.get() >= 0) {
            ++number;
            return name;
        }
        if (errno == ENOSPC)
            return {};
        if (errno != EEXIST) {
            const int err = errno;
            removePlaceholders(folderFd, made);
            throw FsError::fromErrno(err, path);
        }
    }
}

bool isFuse(int folderFd)
{
    struct statfs fs {};
    return ::fstatfs(folderFd, &fs) == 0 && static_cast<long>(fs.f_type) == FuseMagic;
}

// The slots an entry of this name takes on exFAT: the file and stream entries, then one for every
// fifteen characters of its name.
qsizetype exfatSlots(const QByteArray& name)
{
    return 2 + (QString::fromUtf8(name).size() + 14) / 15;
}

// A FUSE driver lists the entries made since it mounted the volume before the others, so where an
// entry landed cannot be read back. The folder's free slots are counted instead, from its size and
// its entries, and as many placeholders made as may fit into them; those beyond the last entry
// stay too, and the entries made next land after all of them.
QList<QByteArray> fillGapsBlindly(int folderFd, const QString& path, qsizetype folderSize,
                                  const QList<QByteArray>& names)
{
    qsizetype free = folderSize / SlotSize;
    for (const QByteArray& name : names)
        free -= exfatSlots(name);
    QList<QByteArray> made;
    for (int number = 0; made.size() * 3 < free;) {
        const QByteArray name = makePlaceholder(folderFd, path, number, made);
        if (name.isEmpty())
            break;
        made.append(name);
    }
    return made;
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
    // In a folder without entries every new one packs in from the start, gaps or not.
    const QList<QByteArray> before = storedNames(folderFd, path);
    if (before.isEmpty())
        return made;
    if (isFuse(folderFd))
        return fillGapsBlindly(folderFd, path, st.st_size, before);
    const qsizetype limit =
        std::max<qsizetype>(st.st_size / SlotSize, before.size() * SlotsPerEntry) + SlotsPerEntry;
    for (int number = 0; made.size() < limit;) {
        const QByteArray name = makePlaceholder(folderFd, path, number, made);
        if (name.isEmpty())
            return made;
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

bool readsBackStoredOrder(int folderFd)
{
    return keepsStoredOrder(folderFd) && !isFuse(folderFd);
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
