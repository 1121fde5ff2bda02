#include "Folders.h"

#include "FsError.h"
#include "Paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace folders {

void forEachEntry(const QString& folder,
                  const std::function<void(const QByteArray& name, Kind kind)>& visit)
{
    const QByteArray native = paths::toNative(folder);
    DIR* dir = opendir(native.constData());
    if (!dir)
        throw FsError::fromErrno(errno, folder);
    errno = 0;
    while (const dirent* e = readdir(dir)) {
        const QByteArray name = QByteArray::fromRawData(e->d_name, qsizetype(strlen(e->d_name)));
        if (name == "." || name == "..")
            continue;
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (lstat(QByteArray(native + '/' + name).constData(), &st) == 0)
                type = S_ISDIR(st.st_mode) ? DT_DIR : (S_ISREG(st.st_mode) ? DT_REG : DT_LNK);
        }
        if (name.startsWith('.'))
            visit(name, Kind::Other);
        else if (type == DT_DIR)
            visit(name, Kind::Folder);
        else if (type == DT_REG)
            visit(name, Kind::File);
        else
            visit(name, Kind::Other);
        errno = 0;
    }
    const int err = errno;
    closedir(dir);
    if (err != 0)
        throw FsError::fromErrno(err, folder);
}

namespace {

QStringList sortedNames(const QString& folder, Kind want, const QByteArray& pattern = "*")
{
    QStringList names;
    forEachEntry(folder, [&](const QByteArray& name, Kind kind) {
        if (kind == want && paths::matchesWildcard(name, pattern))
            names.append(paths::fromNative(name));
    });
    paths::sortNaturally(names);
    return names;
}

} // namespace

QStringList subfolders(const QString& folder)
{
    QStringList list = sortedNames(folder, Kind::Folder);
    for (QString& name : list)
        name = paths::join(folder, name);
    return list;
}

QStringList files(const QString& folder, const QString& pattern)
{
    return sortedNames(folder, Kind::File, paths::toNative(pattern));
}

QString realPath(const QString& path)
{
    char* real = ::realpath(paths::toNative(path).constData(), nullptr);
    if (!real)
        return {};
    const QString text = paths::fromNative(real);
    ::free(real);
    return text;
}

bool canOpen(const QString& folder)
{
    DIR* dir = opendir(paths::toNative(folder).constData());
    if (!dir)
        return false;
    closedir(dir);
    return true;
}

} // namespace folders
