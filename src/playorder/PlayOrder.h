#pragma once

#include <QString>
#include <QStringList>

// What the play-order window shows: the entries of a folder as the volume stores them, which is
// the order a player plays them in on a FAT-like volume, against the order of the program's own
// lists.
namespace playorder {

// A FAT-like file system (by the name the mount table gives) stores its entries in an order of
// their own, the one players follow; others keep no play order.
bool keepsPlayOrder(const QString& fileSystem);

// The folder's subfolders and files, by name, in stored order; hidden entries (names starting
// with ".") are left out, as the program's lists leave them out. Throws FsError.
struct Entries {
    QStringList folders;
    QStringList files;
};
Entries storedEntries(const QString& folder);

// The names in the order of the program's lists.
QStringList inNameOrder(QStringList names);
bool isInNameOrder(const QStringList& names);

} // namespace playorder
