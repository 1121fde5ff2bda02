#pragma once

#include <QByteArray>

#include <sys/types.h>

// Facts about a folder of the target, opened as a descriptor, that the copy needs.
namespace transfer {

// Whether creating a name in the open folder failed because the target will not hold the name.
// A folder that exists answers ENOENT for a name it refuses (exFAT through FUSE); errno is kept.
bool isRefusal(int folderFd);
// Makes the folder unless something of its name exists; false with errno set when that fails.
bool makeFolder(int parentFd, const QByteArray& name);
// The largest file the file system of the open folder holds: 4 GiB - 1 on FAT.
off_t sizeLimitOf(int folderFd);

} // namespace transfer
