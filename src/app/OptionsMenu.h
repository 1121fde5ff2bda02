#pragma once

#include <QObject>
#include <QString>

class AppContext;
class QAction;
class SettingsStore;
class SourcePane;

// The Options menu's items for the default source folder with going home, the panes' tool
// tips, folder prefixes and the copy log. Each takes effect at once; the changed ones are
// stored when the program ends.
class OptionsMenu final : public QObject {
    Q_OBJECT

public:
    struct Items {
        QAction& useDefaultSourcePath;
        QAction& saveCurrentLocation;
        QAction& gotoDefaultPath;
        QAction& disableToolTips;
        QAction& addFolderPrefix;
        QAction& useLogFile;
    };

    OptionsMenu(AppContext& app, SourcePane& source, const Items& items, QObject* parent);

    // Ticks and enables the items as the settings of the last run say.
    void readSettings(const SettingsStore& store);
    // Stores the settings the user changed.
    void writeSettings(SettingsStore& store) const;

    QString defaultSourcePath() const { return m_defaultSourcePath; }
    bool usesDefaultSourcePath() const;
    bool toolTipsOff() const { return m_toolTipsOff; }
    bool addsFolderPrefix() const;
    bool usesLogFile() const;

    void switchDefaultSourcePath();
    void saveCurrentLocation();
    void goHome();
    void switchToolTips();
    void switchFolderPrefix();
    void switchLogFile();

Q_SIGNALS:
    void toolTipsSwitched();

private:
    AppContext& m;
    SourcePane& m_source;
    Items m_items;
    QString m_defaultSourcePath;
    bool m_toolTipsOff = false;
};
