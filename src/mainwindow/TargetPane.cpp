// Browsing the target disk: up one level, clicks in its lists and the refresh with the count.

#include "MainForm.h"

#include "FolderBrowser.h"
#include "SourcePane.h"

#include "app/AppContext.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"

#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

void MainForm::TargetUpOneLevel_Click()
{
    // At a drive's mount point Up opens the folder holding it, on the enclosing drive.
    const QString parent = TargetFolderList->parentFolder();
    if (!parent.isEmpty())
        m_targetFolders->open(parent);
    TargetFolderList->setListIndex(-1);
    TargetFolderList->setFocus();
}

void MainForm::RefreshDriveLists_Click(int Index)
{
    if (Index == 0) {
        m_source->refreshDrives();
        return;
    }
    TargetDriveList->refresh();
    TargetDriveList->setFocus();
}

void MainForm::TargetFolderList_Click()
{
    if (m.TargetDrive && m.TargetDrive->isReady())
        return;
    m.ShowDriveNotReady(TargetDriveList->drive());
    RefreshDriveLists_Click(1);
}

void MainForm::TargetList_Click()
{
    try {
        if (m.TargetDrive && m.TargetDrive->isRemovable())
            RemoveTargetFolder->setEnabled(true);
    } catch (const FsError&) {
        m.ShowDriveNotReady(TargetDriveList->drive());
        RefreshDriveLists_Click(1);
    }
}

void MainForm::RefreshTargetLists_Click()
{
    // A folder that has vanished moves the pane, which fills the list anew; there is nothing
    // left to refresh or count for it.
    if (m_targetFolders->reread()) {
        FillTargetList();
        UpdateEstimatedFreeSpace();
        bool removable = false;
        try {
            removable = m.TargetDrive && m.TargetDrive->isRemovable();
        } catch (const FsError&) {
            // The drive went away after it was read: it is taken as a fixed one.
        }
        if (!removable) {
            const auto answer = m.message(
                m.text(u"Refresh & Counting Files"_s, u"Uppdatera & räkna filer"_s),
                m.text(u"It may be a large number of files to count on a non removable disk and "
                       u"it may take a while.\nDo you wish to continue ?"_s,
                       u"Det kan vara ett stort antal filer att räkna på en intern disk och det "
                       u"kan ta tid.\nVill du fortsätta ?"_s),
                Platform::Buttons::YesNo, Platform::Icon::Question);
            if (answer == Platform::Answer::No)
                return;
            CountingConfirmed = true;
        }
        if (CountingConfirmed)
            CountTargetMp3Files();
    }
    RemoveTargetFolder->setEnabled(false);
    if (TargetList->count() == 0)
        TargetFolderList->setFocus();
    else
        TargetList->setFocus();
}
