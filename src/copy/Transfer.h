#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class FileSystem;

// The copying itself: folders and files written under their final names, one after the other,
// each flushed to the medium before the next begins.
namespace transfer {

// Creates one folder whose parent exists, and flushes its entry in the parent.
void createFolder(const QString& folder);

struct Steps {
    std::function<void(int index)> beforeFile; // may be empty
    std::function<bool(int index)> afterFile;  // false stops the copying; may be empty
    std::function<void()> betweenChunks;       // may be empty
};

// Copies the named files of the source folder into the target folder, in the order given,
// creating the target folder when nothing of its name exists. Throws FsError; the file being
// copied is then not left behind.
void copyFolder(const FileSystem& fileSystem, const QString& source, const QString& target,
                const QStringList& names, const Steps& steps = {});

} // namespace transfer
