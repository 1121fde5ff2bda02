// The Source List's total size and the free space left on the target after copying.

#include "AppContext.h"
#include "SizeText.h"
#include "mainwindow/MainForm.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

void MainForm::UpdateSourceListSize()
{
    TotalSize->setText(FormatWithPrefix(m.SourceListSize, u"B"_s, 103));
    // This also enables the copy button when the list fits on the target.
    UpdateEstimatedFreeSpace();
    Label_ShowFiles->setVisible(true);
    ClearSourceList->setEnabled(true);
    Menu_SaveCurrentSourceList->setEnabled(true);
}

void MainForm::UpdateEstimatedFreeSpace()
{
    try {
        if (!m.TargetDrive)
            throw FsError(FsErrorKind::DeviceUnavailable, TargetDriveList->drive());
        m.EstimatedFreeSpace = double(m.TargetDrive->freeSpace()) - m.SourceListSize;
    } catch (const FsError&) {
        m.ShowDriveNotReady(TargetDriveList->drive());
        try {
            TargetDriveList->setDrive(m.drives().systemMountPoint());
        } catch (const FsError&) {
        }
        return;
    }
    TargetFreeSpace->setText(FormatWithPrefix(m.EstimatedFreeSpace, u"B"_s, 103));
    QPalette colours = TargetFreeSpace->palette();
    if (m.EstimatedFreeSpace >= 0) {
        colours.setColor(QPalette::WindowText, palette().color(QPalette::ButtonText));
        if (SourceList->count() > 0)
            CopyFolders->setEnabled(true);
    } else {
        colours.setColor(QPalette::WindowText, QColor(255, 0, 0));
        CopyFolders->setEnabled(false);
    }
    TargetFreeSpace->setPalette(colours);
}
