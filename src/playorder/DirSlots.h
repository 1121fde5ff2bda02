#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The directory slots of FAT-like volumes. Such a volume stores a folder's entries in slots, and
// places a new entry in the first run of free slots long enough for its name; players play the
// entries in slot order, which is the order readdir gives. The entries here are what keep new
// entries out of the gaps: empty one-slot placeholder files with a name of their own.
namespace dirslots {

// The names of the open folder's entries in stored order, "." and ".." left out. Throws FsError
// naming path.
QList<QByteArray> storedNames(int folderFd, const QString& path);

// Names compare as on the volume, without regard to letter case: a mount may show a short name
// in other letters than it was made with.
bool sameName(const QByteArray& a, const QByteArray& b);

// A placeholder's name: eight capitals and digits, a dot, three capitals, so it takes one slot.
bool isPlaceholderName(const QByteArray& name);

// Removes the placeholders a run or a sort left behind (a stick pulled meanwhile); only empty
// files of a placeholder's name are touched. Returns how many were removed. Throws FsError.
int removeLeftPlaceholders(int folderFd, const QString& path);

// Fills every gap of the folder with placeholders, until one lands after the last entry; that
// one is removed again, so the next entry made in the folder lands after all others. Returns the
// placeholders left in the gaps. A folder without entries needs none. Through FUSE, where the
// stored order cannot be read back, the placeholders are counted from the folder's free slots and
// all of them stay. Throws FsError; the placeholders made so far are then removed.
QList<QByteArray> fillGaps(int folderFd, const QString& path);

// Removes the placeholders; false when one of them could not be removed (errno set).
bool removePlaceholders(int folderFd, const QList<QByteArray>& names);

// Whether readdir gives the stored order of the open folder's volume: it keeps one and is not
// served through FUSE.
bool readsBackStoredOrder(int folderFd);

// Whether the open folder lies on a volume that keeps a stored order: FAT, exFAT, or a FUSE file
// system on a block device (exFAT through FUSE).
bool keepsStoredOrder(int folderFd);

} // namespace dirslots
