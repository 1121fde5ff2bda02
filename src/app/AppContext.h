#pragma once

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/SettingsStore.h"

#include <QString>

#include <bitset>
#include <memory>

// The four panes of the main window, in their order on the screen and in the Tab order.
enum class Pane { SourceFolders, SourceList, TargetFolders, TargetList };

// The state that more than one window uses, the services every window reaches the machine
// through, and the shared messages. One object lives for the whole run.
class AppContext final {
public:
    // With the desktop and the drive table of this machine.
    AppContext();
    // With the given services (tests).
    AppContext(std::unique_ptr<Platform> platform, std::unique_ptr<Drives> drives);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Platform& platform() { return *m_platform; }
    Drives& drives() { return *m_drives; }
    SettingsStore& settings() { return m_settings; }

    // The text of the language in use.
    QString text(const QString& english, const QString& swedish) const
    {
        return this->swedish ? swedish : english;
    }
    Platform::Answer message(const QString& title, const QString& text, Platform::Buttons buttons,
                             Platform::Icon icon);

    void ShowDriveNotReady(const QString& drive);
    void ShowPathNotFound(const QString& path);

    // The settings the user can change while the program runs; only those changed are written
    // when it ends.
    enum class Setting {
        Swedish,
        DisableToolTips,
        DefaultSourcePath,
        AddFolderPrefix,
        UseLogFile,
        Player,
    };
    void settingChanged(Setting setting) { m_changed[std::size_t(setting)] = true; }
    bool hasChanged(Setting setting) const { return m_changed[std::size_t(setting)]; }

private:
    std::unique_ptr<Platform> m_platform;
    std::unique_ptr<Drives> m_drives;
    SettingsStore m_settings;
    std::bitset<6> m_changed;

public:
    QString appVersion;
    QString versionDate;
    bool swedish = false;
    Pane activePane = Pane::SourceFolders;
    bool helpOnMenus = false;
    bool cancelRequested = false;
    QString savedListPath;
    // Where saved Source Lists and copy logs go.
    QString dataFolder;
    QString playerPath;
    ::FileSystem fileSystem;
};
