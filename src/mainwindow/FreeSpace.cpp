// The free space left on the target after copying the Source List, and the copy button that
// follows it.

#include "MainForm.h"

#include "SourceListPane.h"
#include "app/AppContext.h"
#include "app/SizeText.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"

#include <QLabel>

using namespace Qt::StringLiterals;

void MainForm::UpdateEstimatedFreeSpace()
{
    try {
        if (!m.TargetDrive)
            throw FsError(FsErrorKind::DeviceUnavailable, TargetDriveList->drive());
        m.EstimatedFreeSpace = double(m.TargetDrive->freeSpace()) - m_list->totalBytes();
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
    const bool fits = m.EstimatedFreeSpace >= 0;
    colours.setColor(QPalette::WindowText,
                     fits ? palette().color(QPalette::ButtonText) : QColor(255, 0, 0));
    m_list->setFits(fits);
    TargetFreeSpace->setPalette(colours);
}
