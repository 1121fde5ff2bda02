#include "Folders.h"

#include "FsError.h"
#include "Paths.h"

#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>

namespace folders {

namespace {

enum class Want { Folders, Files };

// Lists one folder without following links; entries whose type the folder does not tell are
// looked up with lstat.
QStringList entries(const QString& folder, Want want)
{
    const QByteArray native = QFile::encodeName(folder);
    DIR* dir = opendir(native.constData());
    if (!dir)
        throw FsError::fromErrno(errno, folder);
    QStringList names;
    errno = 0;
    while (const dirent* e = readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..")
            continue;
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (lstat(QByteArray(native + '/' + name).constData(), &st) == 0)
                type = S_ISDIR(st.st_mode) ? DT_DIR : (S_ISREG(st.st_mode) ? DT_REG : DT_LNK);
        }
        if (want == Want::Folders && type == DT_DIR && !name.startsWith('.'))
            names.append(QFile::decodeName(name));
        else if (want == Want::Files && type == DT_REG)
            names.append(QFile::decodeName(name));
    }
    const int err = errno;
    closedir(dir);
    if (err != 0)
        throw FsError::fromErrno(err, folder);
    paths::sortNaturally(names);
    return names;
}

} // namespace

QStringList subfolders(const QString& folder)
{
    QStringList list = entries(folder, Want::Folders);
    for (QString& name : list)
        name = paths::join(folder, name);
    return list;
}

QStringList files(const QString& folder, const QString& pattern)
{
    const QRegularExpression match(QRegularExpression::wildcardToRegularExpression(pattern),
                                   QRegularExpression::CaseInsensitiveOption);
    QStringList list = entries(folder, Want::Files);
    list.removeIf([&](const QString& name) { return !match.match(name).hasMatch(); });
    return list;
}

bool canOpen(const QString& folder)
{
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    closedir(dir);
    return true;
}

} // namespace folders
