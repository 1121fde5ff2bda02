#pragma once

#include <QObject>

class AppContext;
class QAction;
class QWidget;

// The Help menu: the help window for the menus or the keyboard shortcuts, and the About window,
// each shown modally over the main window.
class HelpMenu final : public QObject {
    Q_OBJECT

public:
    HelpMenu(AppContext& app, QWidget& mainWindow, QAction& menuHelp, QAction& shortcutsHelp,
             QAction& about);

    void showMenuHelp();
    void showShortcutsHelp();
    void showAbout();

private:
    AppContext& m;
    QWidget& m_mainWindow;
};
