// Browsing the source disk: up one level, re-reading the folder and the drive lists.

#include "MainForm.h"

#include "FolderBrowser.h"

#include "app/AppContext.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"

#include <QPushButton>

void MainForm::SourceUpOneLevel_Click()
{
    // At a drive's mount point Up opens the folder holding it, on the enclosing drive.
    const QString parent = SourceFolderList->parentFolder();
    if (!parent.isEmpty())
        m_sourceFolders->open(parent);
    SourceFolderList->setListIndex(-1);
    SourceFolderList->setFocus();
}

void MainForm::RefreshSourceLists_Click()
{
    m_sourceFolders->reread();
    SourceFolderList->setFocus();
}

void MainForm::RefreshDriveLists_Click(int Index)
{
    DriveListBox* list = Index == 0 ? SourceDriveList : TargetDriveList;
    list->refresh();
    list->setFocus();
}
