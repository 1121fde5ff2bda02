#pragma once

#include <QComboBox>

class Drives;

// The drives of the machine in a drop-down list. It starts on the drive of the current folder
// and tells a change only when its drive really changes. It follows mounts and unmounts by
// itself; the selected drive stays selected, also once it is gone.
class DriveListBox final : public QComboBox {
    Q_OBJECT

public:
    DriveListBox(const Drives& drives, QWidget* parent);

    // Text of the selected drive: the mount point, with the volume label when it has one.
    QString drive() const { return m_drive; }
    QString mountPoint() const;
    // Selects the drive named by a mount point or drive text; throws FsError (device
    // unavailable) when no such drive is there or it is not ready.
    void setDrive(const QString& name);
    // Shows the drive with this mount point as the selected one without telling a change: the
    // pane's folder has moved onto it.
    void showDrive(const QString& mountPoint);
    // Reads the set of drives anew.
    void refresh();

Q_SIGNALS:
    void changed();

private:
    void fill();
    void selectShownDrive();
    void choose(int row);

    const Drives& m_drives;
    QString m_drive;
};
