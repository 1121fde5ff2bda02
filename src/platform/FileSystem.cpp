#include "FileSystem.h"

#include "Fd.h"
#include "FsError.h"
#include "Paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// A folder entry: the name as the file system holds it, and as text.
struct Name {
    QByteArray raw;
    QString text;
};

FsError errnoError(const QString& path)
{
    return FsError::fromErrno(errno, path);
}

FsError readOnlyError(const QString& path)
{
    return FsError(FsErrorKind::PathFileAccess, path, u"The entry is read-only"_s,
                   u"Posten är skrivskyddad"_s);
}

Fd openFolder(const QString& path, int extraFlags = 0)
{
    Fd fd(
        ::open(paths::toNative(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | extraFlags));
    if (fd.get() < 0)
        throw errnoError(path);
    return fd;
}

Fd openSubfolder(int parentFd, const Name& name, const QString& path)
{
    Fd fd(
        ::openat(parentFd, name.raw.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0)
        throw errnoError(path);
    return fd;
}

// The entries of an open folder, without "." and "..", in the order the folder holds them.
std::vector<Name> namesIn(int folderFd, const QString& folder)
{
    // A descriptor of its own, so that the listing does not move the caller's position.
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        throw errnoError(folder);
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        const int err = errno;
        ::close(listFd);
        throw FsError::fromErrno(err, folder);
    }
    std::vector<Name> names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry)
            break;
        const QByteArray raw(entry->d_name);
        if (raw != "." && raw != "..")
            names.push_back(Name{raw, paths::fromNative(raw)});
    }
    const int err = errno;
    ::closedir(dir);
    if (err != 0)
        throw FsError::fromErrno(err, folder);
    return names;
}

// The entries in natural name order, ties by the exact bytes.
std::vector<Name> sortedNamesIn(int folderFd, const QString& folder)
{
    std::vector<Name> names = namesIn(folderFd, folder);
    std::sort(names.begin(), names.end(), [](const Name& a, const Name& b) {
        const int order = paths::naturalCompare(a.text, b.text);
        return order != 0 ? order < 0 : a.raw < b.raw;
    });
    return names;
}

struct stat statOf(int folderFd, const Name& name, const QString& path)
{
    struct stat st {};
    if (::fstatat(folderFd, name.raw.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        throw errnoError(path);
    return st;
}

// Files and folders without the owner's write bit are not deleted, whoever runs the program.
void requireWriteBit(const struct stat& st, const QString& path)
{
    const bool fileOrFolder = S_ISREG(st.st_mode) || S_ISDIR(st.st_mode);
    if (fileOrFolder && (st.st_mode & S_IWUSR) == 0)
        throw readOnlyError(path);
}

void removeAt(int folderFd, const Name& name, const QString& path, int flags)
{
    if (::unlinkat(folderFd, name.raw.constData(), flags) != 0)
        throw errnoError(path);
}

qint64 sizeOfContents(int folderFd, const QString& folder)
{
    qint64 total = 0;
    for (const Name& name : namesIn(folderFd, folder)) {
        const QString path = paths::join(folder, name.text);
        const struct stat st = statOf(folderFd, name, path);
        if (S_ISREG(st.st_mode)) {
            total += st.st_size;
        } else if (S_ISDIR(st.st_mode)) {
            const Fd sub = openSubfolder(folderFd, name, path);
            total += sizeOfContents(sub.get(), path);
        }
    }
    return total;
}

void deleteContents(int folderFd, const QString& folder)
{
    for (const Name& name : sortedNamesIn(folderFd, folder)) {
        const QString path = paths::join(folder, name.text);
        const struct stat st = statOf(folderFd, name, path);
        requireWriteBit(st, path);
        if (S_ISDIR(st.st_mode)) {
            {
                const Fd sub = openSubfolder(folderFd, name, path);
                deleteContents(sub.get(), path);
            }
            removeAt(folderFd, name, path, AT_REMOVEDIR);
        } else {
            removeAt(folderFd, name, path, 0);
        }
    }
}

std::optional<Volume> volumeAt(const Drives& drives, const QString& mountPoint)
{
    const QList<Volume> volumes = drives.volumes();
    const auto it = std::find_if(volumes.cbegin(), volumes.cend(),
                                 [&](const Volume& v) { return v.mountPoint == mountPoint; });
    if (it == volumes.cend())
        return std::nullopt;
    return *it;
}

} // namespace

DriveInfo::DriveInfo(const Drives& drives, QString mountPoint)
    : m_drives(&drives)
    , m_mountPoint(std::move(mountPoint))
{
}

Volume DriveInfo::volume() const
{
    const std::optional<Volume> volume = volumeAt(*m_drives, m_mountPoint);
    if (!volume)
        throw FsError(FsErrorKind::DeviceUnavailable, m_mountPoint);
    return *volume;
}

bool DriveInfo::isRemovable() const
{
    return volume().removable;
}

QString DriveInfo::fileSystem() const
{
    return volume().fileSystem;
}

qint64 DriveInfo::freeSpace() const
{
    return m_drives->freeSpace(m_mountPoint);
}

bool DriveInfo::isReady() const
{
    return m_drives->isReady(m_mountPoint);
}

FileSystem::FileSystem(const Drives& drives)
    : m_drives(drives)
{
}

qint64 FileSystem::folderSize(const QString& path) const
{
    const Fd folder = openFolder(path);
    return sizeOfContents(folder.get(), path);
}

void FileSystem::deleteFolder(const QString& path) const
{
    const QByteArray encoded = paths::toNative(path);
    struct stat st {};
    if (::lstat(encoded.constData(), &st) != 0)
        throw errnoError(path);
    if (S_ISLNK(st.st_mode)) {
        if (::unlink(encoded.constData()) != 0)
            throw errnoError(path);
        return;
    }
    if (!S_ISDIR(st.st_mode))
        throw FsError::fromErrno(ENOTDIR, path);
    requireWriteBit(st, path);
    {
        const Fd folder = openFolder(path, O_NOFOLLOW);
        deleteContents(folder.get(), path);
    }
    if (::rmdir(encoded.constData()) != 0)
        throw errnoError(path);
}

void FileSystem::deleteFiles(const QString& folder, const QString& pattern) const
{
    const QByteArray nativePattern = paths::toNative(pattern);
    const Fd folderFd = openFolder(folder);
    for (const Name& name : sortedNamesIn(folderFd.get(), folder)) {
        if (!paths::matchesWildcard(name.raw, nativePattern))
            continue;
        const QString path = paths::join(folder, name.text);
        const struct stat st = statOf(folderFd.get(), name, path);
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
            continue;
        requireWriteBit(st, path);
        removeAt(folderFd.get(), name, path, 0);
    }
}

QString FileSystem::driveName(const QString& path) const
{
    const std::optional<Volume> volume = drives::volumeOf(m_drives.volumes(), path);
    if (!volume)
        throw FsError(FsErrorKind::PathNotFound, path);
    return volume->mountPoint;
}

DriveInfo FileSystem::drive(const QString& mountPoint) const
{
    if (!volumeAt(m_drives, mountPoint))
        throw FsError(FsErrorKind::DeviceUnavailable, mountPoint);
    return DriveInfo(m_drives, mountPoint);
}
