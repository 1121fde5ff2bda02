#include "DriveListBox.h"

#include "Drives.h"
#include "FsError.h"
#include "resources/Pictures.h"

#include <QDir>

DriveListBox::DriveListBox(const Drives& drives, QWidget* parent)
    : QComboBox(parent)
    , m_drives(drives)
{
    fill();
    const int row = findData(drives::startMountPoint(m_drives, QDir::currentPath()));
    if (row >= 0) {
        setCurrentIndex(row);
        m_drive = itemText(row);
    }
    connect(this, &QComboBox::activated, this, &DriveListBox::choose);
    connect(&m_drives, &Drives::volumesChanged, this, &DriveListBox::refresh);
}

QString DriveListBox::mountPoint() const
{
    return drives::mountPointOfDriveText(m_drive);
}

void DriveListBox::setDrive(const QString& name)
{
    const QString mountPoint = drives::mountPointOfDriveText(name);
    const int row = findData(mountPoint);
    if (row < 0 || !m_drives.isReady(mountPoint))
        throw FsError(FsErrorKind::DeviceUnavailable, name);
    setCurrentIndex(row);
    if (itemText(row) != m_drive) {
        m_drive = itemText(row);
        Q_EMIT changed();
    }
}

void DriveListBox::showDrive(const QString& mountPoint)
{
    if (mountPoint == this->mountPoint())
        return;
    fill();
    const int row = findData(mountPoint);
    if (row >= 0)
        m_drive = itemText(row);
    selectShownDrive();
}

void DriveListBox::refresh()
{
    fill();
    selectShownDrive();
}

void DriveListBox::selectShownDrive()
{
    int row = findData(mountPoint());
    if (row < 0 && !m_drive.isEmpty()) {
        // A drive that vanished stays selected until its pane is used; then it is reported.
        addItem(m_drive, mountPoint());
        row = count() - 1;
    }
    setCurrentIndex(row);
}

void DriveListBox::fill()
{
    const QSignalBlocker quiet(this);
    clear();
    const QIcon& icon = listPicture(ListPicture::Drive);
    const QIcon& removableIcon = listPicture(ListPicture::RemovableDrive);
    for (const Volume& v : m_drives.volumes())
        addItem(v.removable ? removableIcon : icon, drives::driveText(v), v.mountPoint);
}

void DriveListBox::choose(int row)
{
    // The user's choice is taken even when the drive has no medium: the change handler says so.
    if (row < 0 || itemText(row) == m_drive)
        return;
    m_drive = itemText(row);
    Q_EMIT changed();
}
