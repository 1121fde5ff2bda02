#pragma once

#include <QObject>

class AppContext;
class QAction;
class QWidget;

// The Options menu's player item: opens the choice of player over the main window. The item is
// ticked while a player program is chosen.
class PlayerChoice final : public QObject {
    Q_OBJECT

public:
    PlayerChoice(AppContext& app, QAction& playerItem, QWidget& mainWindow);

    void choose();

private:
    AppContext& m;
    QAction& m_playerItem;
    QWidget& m_mainWindow;
};
