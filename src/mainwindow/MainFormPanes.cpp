// The drive and folder lists of both panes, the Target List and the mp3 count.

#include "MainForm.h"

#include "FolderBrowser.h"

#include "Mp3Count.h"
#include "app/AppContext.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FileListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

void MainForm::TargetDriveList_Change()
{
    try {
        m.TargetDrive = m.fileSystem.drive(TargetDriveList->mountPoint());
        TargetFolderList->setPath(drives::rootOf(TargetDriveList->mountPoint()));
        RemoveTargetFolder->setEnabled(false);
        UpdateEstimatedFreeSpace();
    } catch (const FsError&) {
        m.ShowDriveNotReady(TargetDriveList->drive());
        m_targetFolders->keepFolder();
    }
}

void MainForm::TargetFolderList_Change()
{
    TargetDriveList->showDrive(TargetFolderList->mountPoint());
    takeTargetDrive();
    FillTargetList();
    TargetUpOneLevel->setEnabled(!TargetFolderList->parentFolder().isEmpty());
}

void MainForm::takeTargetDrive()
{
    const QString mountPoint = TargetFolderList->mountPoint();
    if (m.TargetDrive && m.TargetDrive->mountPoint() == mountPoint)
        return;
    try {
        m.TargetDrive = m.fileSystem.drive(mountPoint);
    } catch (const FsError&) {
        m.TargetDrive.reset();
    }
    RemoveTargetFolder->setEnabled(false);
    UpdateEstimatedFreeSpace();
}

void MainForm::FillTargetList()
{
    TargetList->clear();
    for (int i = 0; i < TargetFolderList->listCount(); ++i)
        TargetList->addItem(TargetFolderList->list(i));
    try {
        if (TargetList->count() > 0 && m.TargetDrive && m.TargetDrive->isRemovable()) {
            const bool root = paths::isRoot(TargetFolderList->path());
            ClearTargetFolders->setEnabled(!root);
            ClearTargetDrive->setEnabled(root);
        } else {
            RemoveTargetFolder->setEnabled(false);
            ClearTargetFolders->setEnabled(false);
            ClearTargetDrive->setEnabled(false);
        }
        CountTargetMp3Files();
    } catch (const FsError&) {
        // The drive cannot be read: the list stays, buttons and count are left as they were.
    }
}

void MainForm::CountTargetMp3Files()
{
    try {
        if (!m.TargetDrive)
            return;
        if (!m.TargetDrive->isRemovable() && !CountingConfirmed) {
            Label_NumberOfFiles[1]->setText(m.text(u"Click Refresh"_s, u"Klicka Uppdatera"_s));
            return;
        }
    } catch (const FsError&) {
        // The drive is gone: the count shown stays.
        return;
    }
    CountingConfirmed = false;

    // The open folder, its subfolders and theirs; a folder that cannot be read is skipped.
    Label_NumberOfFiles[1]->setText(
        QString::number(countMp3ThreeLevels(TargetFolderList->list(-1))));
}
