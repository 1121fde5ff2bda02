#pragma once

#include "platform/Fd.h"
#include "playorder/AppendGuard.h"

#include <QString>
#include <QStringList>

#include <functional>

// The copying itself. Folders and files are created under their final names, one after the
// other, so that their entries stand on the medium in the order of copying; each folder is on the
// medium, files, entries and all, before the next one is created.
namespace transfer {

struct Steps {
    // Runs when a file's data has been written (the medium is at most the writeback window
    // behind); false stops the copying of the folder. May be empty.
    std::function<bool(int index)> afterFile;
    // Runs after each chunk of data (the window lets events through there). May be empty.
    std::function<void()> betweenChunks;
};

// The folder a run copies into, opened once: everything the run creates is created relative to
// it, so a medium pulled or unmounted meanwhile never makes the run write onto the disk beneath
// its mount point.
class Target final {
public:
    // Throws FsError when the folder cannot be opened. With fatRules, names are written FAT-safe
    // (copyplan::fatSafeName); without, they are written as they are until the target refuses one.
    Target(const QString& folder, bool fatRules);

    const QString& path() const { return m_path; }
    bool fatRules() const { return m_fatRules; }

    // Copies the named files of the source folder, in the order given, into the folder of this
    // name in the target, made when nothing of that name exists. Returns the name the folder
    // stands under. When it returns (also when afterFile stopped it, or by an exception) what was
    // written is on the medium. Throws FsError; the file being copied is then not left behind.
    QString copyFolder(const QString& source, const QString& name, const QStringList& files,
                       const Steps& steps = {});

private:
    QString m_path;
    Fd m_fd;
    AppendGuard m_order;
    bool m_fatRules;
};

} // namespace transfer
