#include "TargetFolder.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

namespace transfer {

bool isRefusal(int folderFd)
{
    const int err = errno;
    bool refused = err == EINVAL || err == EILSEQ || err == EPERM;
    if (err == ENOENT) {
        struct stat st {};
        refused = ::fstat(folderFd, &st) == 0 && st.st_nlink > 0;
    }
    errno = err;
    return refused;
}

bool makeFolder(int parentFd, const QByteArray& name)
{
    struct stat st {};
    return ::fstatat(parentFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 ||
           ::mkdirat(parentFd, name.constData(), 0755) == 0;
}

off_t sizeLimitOf(int folderFd)
{
    constexpr off_t unlimited = std::numeric_limits<off_t>::max();
    // The C library answers 32 bits for every file system it does not know, exFAT included, so
    // its figure is taken for FAT only.
    struct statfs fs {};
    if (::fstatfs(folderFd, &fs) != 0 || fs.f_type != MSDOS_SUPER_MAGIC)
        return unlimited;
    const long bits = ::fpathconf(folderFd, _PC_FILESIZEBITS);
    return bits > 0 && bits < 63 ? (off_t(1) << bits) - 1 : unlimited;
}

} // namespace transfer
