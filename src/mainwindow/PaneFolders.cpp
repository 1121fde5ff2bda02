// Opening and re-reading the folder of a pane when the folder may have vanished or its medium
// may have been pulled: the pane always ends on a folder that exists.

#include "MainForm.h"

#include "app/AppContext.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

void MainForm::openPaneFolder(DriveListBox* driveList, DirListBox* folderList,
                              const QString& folder)
{
    try {
        folderList->setPath(folder);
    } catch (const FsError&) {
        openNearestFolder(driveList, folderList, folder);
    }
}

bool MainForm::rereadPaneFolder(DriveListBox* driveList, DirListBox* folderList,
                                const QString& alreadyReported)
{
    try {
        folderList->refresh();
        return true;
    } catch (const FsError&) {
        openNearestFolder(driveList, folderList, folderList->path(), alreadyReported);
        return false;
    }
}

void MainForm::openNearestFolder(DriveListBox* driveList, DirListBox* folderList,
                                 const QString& folder, const QString& alreadyReported)
{
    // The pane's drive list shows the drive of its folder. Once a medium is pulled its folders
    // may still match a shorter mount point by name, so the drive is not taken from the path.
    const QString mountPoint = driveList->mountPoint();
    if (m.drives().isReady(mountPoint)) {
        if (folder != alreadyReported)
            m.ShowPathNotFound(folder);
        const QString root = drives::rootOf(mountPoint);
        const QString open = folderList->path();
        QString above = folder;
        while (above.size() > root.size()) {
            above = paths::cutAfterLastSlash(paths::isRoot(above) ? above.chopped(1) : above);
            try {
                folderList->setPath(above);
                // The open folder itself, read anew: no change is told, the Target List is
                // filled here.
                if (folderList == TargetFolderList && folderList->path() == open)
                    FillTargetList();
                return;
            } catch (const FsError&) {
                // Gone as well: one more level up.
            }
        }
    } else {
        m.ShowDriveNotReady(driveList->drive());
    }
    openSystemDrive(driveList, folderList);
}

void MainForm::openSystemDrive(DriveListBox* driveList, DirListBox* folderList)
{
    const QString system = m.drives().systemMountPoint();
    try {
        // The drive change opens the root (and on the target side takes the drive); the path is
        // set as well for a list that showed the system drive already.
        driveList->setDrive(system);
        folderList->setPath(drives::rootOf(system));
    } catch (const FsError&) {
        // Not even the system drive can be read: the pane keeps what it shows.
    }
}
