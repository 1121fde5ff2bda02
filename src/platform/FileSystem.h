#pragma once

#include "Drives.h"

#include <QString>

// A drive as the file-system service hands it out: its mount point, and live facts asked of the
// drive table each time.
class DriveInfo {
public:
    DriveInfo(const Drives& drives, QString mountPoint);

    const QString& mountPoint() const { return m_mountPoint; }
    // Throws FsError (device unavailable) when the volume is no longer mounted.
    bool isRemovable() const;
    // The type of the volume's file system ("vfat", "ext4"). Throws as isRemovable.
    QString fileSystem() const;
    // Throws FsError (device unavailable) when the drive is not ready.
    qint64 freeSpace() const;
    bool isReady() const;

private:
    Volume volume() const;

    const Drives* m_drives;
    QString m_mountPoint;
};

// Folder sizes, deletions and drive facts. Every failure throws FsError with the
// kind and the path; what the user sees is decided by the caller.
class FileSystem {
public:
    explicit FileSystem(const Drives& drives);

    // Total size in bytes of all files in the folder and all its subfolders. Symbolic links are
    // counted as links (their own size is not counted, they are not followed).
    qint64 folderSize(const QString& path) const;

    // Deletes the folder and everything in it. Meeting an entry without the owner's write bit
    // stops the deletion with a path/file access error (also when running as root); what was
    // deleted before stays deleted. Symbolic links are removed as links, never followed.
    void deleteFolder(const QString& path) const;

    // Deletes the files of one folder whose names match a wildcard pattern ("*.mp3"); the
    // extension test ignores letter case. Subfolders are left alone.
    void deleteFiles(const QString& folder, const QString& pattern) const;

    // Mount point of the drive holding path; throws FsError (path not found) when no drive does.
    QString driveName(const QString& path) const;
    // The drive with this mount point; throws FsError (device unavailable) when there is none.
    DriveInfo drive(const QString& mountPoint) const;

private:
    const Drives& m_drives;
};
