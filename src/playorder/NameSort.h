#pragma once

#include <QString>

#include <functional>

// Puts a folder's entries in name order on a volume that keeps a stored order, moving nothing
// but directory entries: no file data is read or written, names and times stay. At every moment
// each entry is reachable under its own name, at worst inside the sort folder of the folder
// being sorted.
//
// How: the folder's gaps are filled with placeholders so that the sort folder, made next, lands
// after every entry; the placeholders go, every entry is moved into the sort folder, then back in
// name order (folders, then files, then hidden entries). The volume gives each entry the first
// run of free slots long enough for it, so they pack in order into the free run before the sort
// folder, which is then removed. An interrupted sort is finished by the same steps with the sort
// folder that is already there.
namespace namesort {

// The name of the folder a sort keeps the folder's entries in meanwhile.
QString sortFolderName();

// Runs after each step that changed the volume; false stops the sort there, as if the stick had
// been pulled.
using Step = std::function<bool()>;

// Sorts the folder's own entries, then those of each of its subfolders, and puts it all on the
// medium. False when step stopped it. Throws FsError naming the folder being sorted and the
// system's reason; what can be is put back first, and anything left is finished by the next sort
// or by finishInterrupted.
bool sortByName(const QString& folder, const Step& step = {});

// Finishes a sort that was interrupted in the folder or in one of its subfolders; true when
// there was one. Throws FsError as sortByName does.
bool finishInterrupted(const QString& folder);

} // namespace namesort
