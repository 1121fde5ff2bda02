#include "PlayOrder.h"

#include "platform/Folders.h"
#include "platform/Paths.h"

using namespace Qt::StringLiterals;

namespace playorder {

bool keepsPlayOrder(const QString& fileSystem)
{
    return fileSystem == "vfat"_L1 || fileSystem == "msdos"_L1 || fileSystem == "exfat"_L1 ||
           fileSystem == "fuseblk"_L1;
}

Entries storedEntries(const QString& folder)
{
    Entries entries;
    folders::forEachEntry(folder, [&](const QByteArray& name, folders::Kind kind) {
        if (kind == folders::Kind::Folder)
            entries.folders.append(paths::fromNative(name));
        else if (kind == folders::Kind::File)
            entries.files.append(paths::fromNative(name));
    });
    return entries;
}

QStringList inNameOrder(QStringList names)
{
    paths::sortNaturally(names);
    return names;
}

bool isInNameOrder(const QStringList& names)
{
    return inNameOrder(names) == names;
}

} // namespace playorder
