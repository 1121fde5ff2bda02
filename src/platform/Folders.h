#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What the directory and file lists show: the entries of one folder, in natural name order.
// Failures throw FsError.
namespace folders {

// Full paths of the immediate subfolders. Hidden folders and links to folders are left out.
// Names are taken by their bytes (paths::fromNative).
QStringList subfolders(const QString& folder);

// Names of the files directly in the folder that match a wildcard pattern such as "*.mp3";
// letter case is ignored. Hidden files are left out.
QStringList files(const QString& folder, const QString& pattern);

// The path with every link on the way resolved, by its bytes; empty when it does not exist.
QString realPath(const QString& path);

// The folder exists and can be listed.
bool canOpen(const QString& folder);

enum class Kind { Folder, File, Other };
// Calls visit for each entry of the folder, in the folder's own order, without following links;
// hidden entries (names starting with ".", such as the "._" files other systems leave on a stick)
// are reported as Other. Throws FsError.
void forEachEntry(const QString& folder,
                  const std::function<void(const QByteArray& name, Kind kind)>& visit);

} // namespace folders
