#pragma once

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"

#include <QString>

#include <array>
#include <memory>
#include <optional>

// The state that more than one window uses, the services every window reaches the machine
// through, and the shared messages. One object lives for the whole run.
class Module1 final {
public:
    // With the desktop and the drive table of this machine.
    Module1();
    // With the given services (tests).
    Module1(std::unique_ptr<Platform> platform, std::unique_ptr<Drives> drives);
    ~Module1();
    Module1(const Module1&) = delete;
    Module1& operator=(const Module1&) = delete;

    Platform& platform() { return *m_platform; }
    Drives& drives() { return *m_drives; }
    SettingsStore& settings() { return m_settings; }

    // The text of the language in use.
    QString text(const QString& english, const QString& swedish) const
    {
        return Swedish ? swedish : english;
    }
    Platform::Answer message(const QString& title, const QString& text, Platform::Buttons buttons,
                             Platform::Icon icon);

    void ShowDriveNotReady(const QString& drive);
    void ShowPathNotFound(const QString& path);

    // Settings keys indexed by SettingChanged.
    enum Setting {
        SwedishSetting,
        DisableToolTipsSetting,
        DefaultSourcePathSetting,
        AddFolderPrefixSetting,
        UseLogFileSetting,
        PlayerSetting,
    };

private:
    std::unique_ptr<Platform> m_platform;
    std::unique_ptr<Drives> m_drives;
    SettingsStore m_settings;

public:
    QString AppVersion;
    QString VersionDate;
    double SourceListSize = 0;
    double EstimatedFreeSpace = 0;
    bool Swedish = false;
    qint16 ActivePane = 0;
    bool HelpOnMenus = false;
    bool CancelRequested = false;
    QString SavedListPath;
    QString PlayerPath;
    std::array<bool, 6> SettingChanged{};
    ::FileSystem FileSystem;
    std::optional<DriveInfo> TargetDrive;
};
