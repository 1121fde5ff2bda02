// The Target List, the mp3 count and the free space of the target pane.

#include "TargetPane.h"

#include "FolderBrowser.h"
#include "Mp3Count.h"
#include "app/AppContext.h"
#include "app/SizeText.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

void TargetPane::fillList()
{
    m_list->clear();
    for (int i = 0; i < m_folders->listCount(); ++i)
        m_list->addItem(m_folders->list(i));
    try {
        if (m_list->count() > 0 && m_drive && m_drive->isRemovable()) {
            const bool root = paths::isRoot(m_folders->path());
            m_clearFolders->setEnabled(!root);
            m_clearDrive->setEnabled(root);
        } else {
            m_remove->setEnabled(false);
            m_clearFolders->setEnabled(false);
            m_clearDrive->setEnabled(false);
        }
        countMp3Files();
    } catch (const FsError&) {
        // The drive cannot be read: the list stays, buttons and count are left as they were.
    }
}

void TargetPane::countMp3Files()
{
    m_countWaiting = false;
    try {
        if (!m_drive)
            return;
        if (!m_drive->isRemovable() && !m_countingConfirmed) {
            m_count->setText(m.text(u"Click Refresh"_s, u"Klicka Uppdatera"_s));
            return;
        }
    } catch (const FsError&) {
        // The drive is gone: the count shown stays.
        return;
    }
    m_countingConfirmed = false;
    if (m_startingUp) {
        m_countWaiting = true;
        m_count->clear();
        return;
    }

    // The open folder, its subfolders and theirs; a folder that cannot be read is skipped.
    m_count->setText(QString::number(countMp3ThreeLevels(m_folders->list(-1))));
}

void TargetPane::refresh()
{
    // A folder that has vanished moves the pane, which fills the list anew; there is nothing
    // left to refresh or count for it.
    if (m_browser->reread()) {
        fillList();
        updateFreeSpace();
        bool removable = false;
        try {
            removable = m_drive && m_drive->isRemovable();
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
            m_countingConfirmed = true;
        }
        if (m_countingConfirmed)
            countMp3Files();
    }
    m_remove->setEnabled(false);
    if (m_list->count() == 0)
        m_folders->setFocus();
    else
        m_list->setFocus();
}

void TargetPane::updateFreeSpace()
{
    try {
        if (!m_drive)
            throw FsError(FsErrorKind::DeviceUnavailable, m_drives->drive());
        m_estimate = double(m_drive->freeSpace()) - m_listedBytes();
    } catch (const FsError&) {
        m.ShowDriveNotReady(m_drives->drive());
        try {
            m_drives->setDrive(m.drives().systemMountPoint());
        } catch (const FsError&) {
        }
        return;
    }
    m_free->setText(FormatWithPrefix(m_estimate, u"B"_s, 103));
    QPalette colours = m_free->palette();
    const bool fits = m_estimate >= 0;
    colours.setColor(QPalette::WindowText,
                     fits ? m_free->parentWidget()->palette().color(QPalette::ButtonText)
                          : QColor(255, 0, 0));
    Q_EMIT fitsChanged(fits);
    m_free->setPalette(colours);
}

void TargetPane::addListed(const QString& path)
{
    m_list->addItem(path);
}

void TargetPane::followCopyRun(bool driveLost)
{
    if (driveLost) {
        // The pane leaves the lost drive, as any use of a drive that is gone does.
        try {
            m_drives->setDrive(m.drives().systemMountPoint());
        } catch (const FsError&) {
        }
    }
    try {
        m_folders->refresh();
    } catch (const FsError&) {
        // The Target List is rebuilt from what the folder list still shows.
    }
    fillList();
    updateFreeSpace();
}

void TargetPane::disable(DeleteButton button)
{
    switch (button) {
    case DeleteButton::Remove:
        m_remove->setEnabled(false);
        break;
    case DeleteButton::ClearFolders:
        m_clearFolders->setEnabled(false);
        break;
    case DeleteButton::ClearDrive:
        m_clearDrive->setEnabled(false);
        break;
    }
}

void TargetPane::showRemovedAt(int row)
{
    const int count = m_list->count();
    if (count == 0) {
        m_clearFolders->setEnabled(false);
        m_folders->setFocus();
    } else {
        m_list->setCurrentRow(row < count ? row : count - 1);
        m_list->clearSelection();
        m_list->setFocus();
    }
    m_remove->setEnabled(false);
}
