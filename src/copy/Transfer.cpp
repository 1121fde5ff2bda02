#include "Transfer.h"

#include "platform/FileSystem.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace transfer {

void createFolder(const QString& folder)
{
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0755) != 0)
        throw FsError::fromErrno(errno, folder);
    const QByteArray parent = QFile::encodeName(QFileInfo(folder).path());
    const int fd = ::open(parent.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw FsError::fromErrno(errno, folder);
    const int synced = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (synced != 0)
        throw FsError::fromErrno(err, folder);
}

void copyFolder(const FileSystem& fileSystem, const QString& source, const QString& target,
                const QStringList& names, const Steps& steps)
{
    if (!QFileInfo::exists(target) && !QFileInfo(target).isSymLink())
        createFolder(target);
    for (int j = 0; j < names.size(); ++j) {
        if (steps.beforeFile)
            steps.beforeFile(j);
        fileSystem.copyFile(paths::join(source, names[j]), paths::join(target, names[j]),
                            steps.betweenChunks);
        if (steps.afterFile && !steps.afterFile(j))
            return;
    }
}

} // namespace transfer
