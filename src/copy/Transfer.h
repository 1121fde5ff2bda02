#pragma once

#include "platform/Fd.h"
#include "playorder/AppendGuard.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <sys/types.h>

#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <utility>

// The copying itself. Folders and files are created under their final names, one after the
// other, so that their entries stand on the medium in the order of copying. The flush that puts a
// folder on the medium runs on another thread while the next folders are created and filled; it
// decides nothing, and a folder counts as copied only when its flush has returned.
namespace copyplan {
class WrittenNames;
}

namespace transfer {

class Writeback;

struct Steps {
    // Runs when a file's data has been written (the medium is at most the writeback window
    // behind); false stops the copying of the folder. May be empty.
    std::function<bool(int index)> afterFile;
    // Runs after each chunk of data (the window lets events through there). May be empty.
    std::function<void()> betweenChunks;
    // Runs on the flush thread before the folder's flush; it may wait, and touches nothing of the
    // run. May be empty.
    std::function<void()> beforeFlush;
};

// The folder a run copies into, opened once: everything the run creates is created relative to
// it, so a medium pulled or unmounted meanwhile never makes the run write onto the disk beneath
// its mount point.
class Target final {
public:
    // Throws FsError when the folder cannot be opened, and (device unavailable) when it is not on
    // the volume mounted at mountPoint. With fatRules, names are written FAT-safe
    // (copyplan::fatSafeName); without, they are written as they are until the target refuses one.
    Target(const QString& folder, const QString& mountPoint, bool fatRules);
    // Waits for the flushes still running; their failures are not reported (finish() does that).
    ~Target();
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    const QString& path() const { return m_path; }
    bool fatRules() const { return m_fatRules; }

    // Copies the named files of the source folder, in the order given, into the folder of this
    // name (FAT-safe under FAT rules) in the target, made when nothing of that name exists. Returns
    // the name the folder stands under. Files this run wrote are never written over: a name met
    // again gets the next " (n)"; only a file that was there before the run is replaced. When it
    // returns (also when afterFile stopped it) what was written is handed to a flush that runs on
    // while the next folders are copied, a few at most. Throws FsError naming the file that
    // failed, of this folder or of a folder whose flush ran (the earliest first); every file of
    // those folders not confirmed on the medium is then removed.
    QString copyFolder(const QString& source, const QString& name, const QStringList& files,
                       const Steps& steps = {});
    // Waits for the flushes still running. Throws as copyFolder does.
    void finish();
    // The names of the folders copied since the last call, in the order of copying: those whose
    // flush has returned. Also after a failure, which never lists the folders it stopped.
    QStringList takeCopied() { return std::exchange(m_copied, {}); }

private:
    // Copies the folder as copyFolder does, and hands it to a flush; a failure is thrown as it
    // comes, the flushes before left running.
    QString startFolder(const QString& source, const QString& name, const QStringList& files,
                        const Steps& steps);
    // Copies one file into the open folder under the next of its written names; the modification
    // time is kept.
    void copyFile(int folderFd, const QString& folder, const QString& source,
                  copyplan::WrittenNames& names, const QSet<QString>& before, AppendGuard& order,
                  Writeback& writeback, const std::function<void()>& betweenChunks);
    // The names in the folder that were there before the run, without regard to case.
    QSet<QString> namesBefore(const QString& folder, const QByteArray& nativeName) const;
    // Takes the results of the flushes that have returned, oldest first, and waits until no more
    // than this many run. Rethrows the first failure once every flush has returned.
    void collectFlushes(size_t running);

    QString m_path;
    Fd m_fd;
    AppendGuard m_order;
    bool m_fatRules;
    // copy_file_range works between the source and this target (it fails across file systems on
    // older kernels); once it did not, data is read and written for the rest of the run.
    bool m_kernelCopy = true;
    // The largest file the target's file system holds.
    off_t m_sizeLimit;
    // The names of the files this run wrote, without regard to case, by target folder. Inode
    // numbers would not do: FUSE file systems give one file found under two names two numbers.
    QHash<QByteArray, QSet<QString>> m_written;
    // The flushes running, oldest first, and the folders they put on the medium.
    struct Flush {
        std::future<void> done;
        QString folder;
    };
    std::deque<Flush> m_flushes;
    QStringList m_copied;
};

} // namespace transfer
