#include "Mp3Count.h"

#include "platform/Folders.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QStringList>

namespace {

bool isMp3(const QByteArray& name)
{
    return name.size() > 4 && name.right(4).toLower() == ".mp3";
}

// Adds the mp3 files of one folder to count; its subfolders go to subfolders when asked for.
void countIn(const QString& folder, qint64& count, QStringList* subfolders)
{
    try {
        folders::forEachEntry(folder, [&](const QByteArray& name, folders::Kind kind) {
            if (kind == folders::Kind::File && isMp3(name))
                ++count;
            else if (kind == folders::Kind::Folder && subfolders)
                subfolders->append(paths::join(folder, paths::fromNative(name)));
        });
    } catch (const FsError&) {
        // A folder that cannot be read adds nothing.
    }
}

} // namespace

qint64 countMp3ThreeLevels(const QString& folder)
{
    qint64 count = 0;
    QStringList level1;
    countIn(folder, count, &level1);
    for (const QString& sub : std::as_const(level1)) {
        QStringList level2;
        countIn(sub, count, &level2);
        for (const QString& subSub : std::as_const(level2))
            countIn(subSub, count, nullptr);
    }
    return count;
}
