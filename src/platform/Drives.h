#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

// A mounted volume: what the program calls a drive.
struct Volume {
    QString mountPoint; // "/" or "/media/usb" (no trailing "/" except for "/")
    QString label;      // volume label, may be empty
    bool removable = false;
    QString fileSystem; // "vfat", "ext4"; decides the rules names on the volume follow

    friend bool operator==(const Volume&, const Volume&) = default;
};

// The drive table: which volumes exist, and the live facts about each.
class Drives : public QObject {
    Q_OBJECT

public:
    ~Drives() override = default;

    // The volumes as they are now, in mount-point order.
    virtual QList<Volume> volumes() const = 0;
    // Mount point of the system drive, the fall-back of every pane.
    virtual QString systemMountPoint() const = 0;
    // The volume is still there and can be read.
    virtual bool isReady(const QString& mountPoint) const = 0;
    // Bytes free for the user; throws FsError when the drive is not ready.
    virtual qint64 freeSpace(const QString& mountPoint) const = 0;

Q_SIGNALS:
    // A volume was mounted or unmounted.
    void volumesChanged();
};

namespace drives {

// "/media/usb  [MUSIC]", or just the mount point for a volume without label.
QString driveText(const Volume& volume);
// The mount point named by a drive text (the text up to the label).
QString mountPointOfDriveText(const QString& text);
// The root folder of a drive: its mount point followed by "/" ("/" for the system drive).
QString rootOf(const QString& mountPoint);
// The volume holding path: the one with the longest mount-point prefix.
std::optional<Volume> volumeOf(const QList<Volume>& volumes, const QString& path);
// The folder Up opens from folder: its parent, which for a drive root is the folder holding the
// mount point on the enclosing volume. Empty when no volume holds a parent ("/").
QString parentFolder(const QList<Volume>& volumes, const QString& folder);
// The drive a drive list starts on: the one holding the current folder, else the system drive.
QString startMountPoint(const Drives& table, const QString& currentFolder);

} // namespace drives
