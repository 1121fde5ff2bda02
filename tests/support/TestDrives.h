#pragma once

#include "platform/Drives.h"

#include <QMap>

#include <optional>

// A drive table of temporary folders. Each registered folder is a drive; the first one
// registered as system drive is what the program falls back to.
class TestDrives final : public Drives {
public:
    struct Entry {
        Volume volume;
        bool ready = true;
        std::optional<qint64> freeSpace; // declared free space; real statvfs figure when unset
    };

    // fileSystem "vfat" makes the drive follow the rules of FAT names.
    void add(const QString& folder, bool removable, const QString& label = {},
             const QString& fileSystem = {});
    void addSystem(const QString& folder)
    {
        m_system = folder;
        add(folder, false);
    }
    void remove(const QString& folder) { m_entries.remove(folder); }
    void setReady(const QString& folder, bool ready) { m_entries[folder].ready = ready; }
    void setFreeSpace(const QString& folder, qint64 bytes) { m_entries[folder].freeSpace = bytes; }
    // Tells the drive lists that drives came or went, as the mount table's watch does.
    void announceChange() { Q_EMIT volumesChanged(); }

    QList<Volume> volumes() const override;
    QString systemMountPoint() const override { return m_system; }
    bool isReady(const QString& mountPoint) const override;
    qint64 freeSpace(const QString& mountPoint) const override;

private:
    QMap<QString, Entry> m_entries;
    QString m_system;
};
