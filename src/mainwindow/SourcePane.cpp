// Browsing the source disk: up one level, re-reading the folder and the drive lists.

#include "MainForm.h"

#include "app/Module1.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QPushButton>

void MainForm::SourceUpOneLevel_Click()
{
    try {
        SourceFolderList->setPath(paths::cutAfterLastSlash(SourceFolderList->path()));
    } catch (const FsError&) {
        m.ShowDriveNotReady(SourceDriveList->mountPoint());
        try {
            SourceDriveList->setDrive(m.drives().systemMountPoint());
        } catch (const FsError&) {
            // The pane stays where it is.
        }
    }
    SourceFolderList->setListIndex(-1);
    if (paths::isRoot(SourceFolderList->path()))
        SourceUpOneLevel->setEnabled(false);
    SourceFolderList->setFocus();
}

void MainForm::RefreshSourceLists_Click()
{
    rereadPaneFolder(SourceDriveList, SourceFolderList);
    SourceFolderList->setFocus();
}

void MainForm::RefreshDriveLists_Click(int Index)
{
    DriveListBox* list = Index == 0 ? SourceDriveList : TargetDriveList;
    list->refresh();
    list->setFocus();
}
