#include "Drives.h"

using namespace Qt::StringLiterals;

namespace drives {

QString driveText(const Volume& volume)
{
    if (volume.label.isEmpty())
        return volume.mountPoint;
    return volume.mountPoint + u"  ["_s + volume.label + u']';
}

QString mountPointOfDriveText(const QString& text)
{
    if (text.endsWith(u']')) {
        const qsizetype at = text.lastIndexOf(u"  ["_s);
        if (at > 0)
            return text.left(at);
    }
    return text;
}

QString rootOf(const QString& mountPoint)
{
    return mountPoint.endsWith(u'/') ? mountPoint : QString(mountPoint + u'/');
}

std::optional<Volume> volumeOf(const QList<Volume>& volumes, const QString& path)
{
    std::optional<Volume> best;
    for (const Volume& v : volumes) {
        const QString root = rootOf(v.mountPoint);
        const bool holds = path == v.mountPoint || path.startsWith(root);
        if (holds && (!best || v.mountPoint.size() > best->mountPoint.size()))
            best = v;
    }
    return best;
}

QString parentFolder(const QList<Volume>& volumes, const QString& folder)
{
    if (folder.isEmpty() || folder == u"/")
        return {};
    const QString trimmed = folder.endsWith(u'/') ? folder.chopped(1) : folder;
    const QString parent = trimmed.left(trimmed.lastIndexOf(u'/') + 1);
    const auto volume = volumeOf(volumes, parent);
    if (!volume)
        return {};
    const QString root = rootOf(volume->mountPoint);
    return parent == root || parent.size() <= 1 ? root : parent.chopped(1);
}

QString startMountPoint(const Drives& table, const QString& currentFolder)
{
    const auto volume = volumeOf(table.volumes(), currentFolder);
    return volume ? volume->mountPoint : table.systemMountPoint();
}

} // namespace drives
