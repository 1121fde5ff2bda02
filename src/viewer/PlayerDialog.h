#pragma once

#include <QDialog>

class AppContext;
class QAction;
class QLabel;
class QPushButton;
class QRadioButton;

// The choice of how the viewer plays a file: the desktop's media player, or a player program
// the user picks. The choice (playerPath, empty for the desktop's player) takes effect at once;
// Cancel, Esc and the title bar's close button bring back the one the window opened with.
class PlayerDialog final : public QDialog {
    Q_OBJECT

public:
    // playerItem is the menu item whose tick shows that a player program is chosen.
    PlayerDialog(AppContext& m, QAction& playerItem, QWidget* parent);

    void done(int result) override;
    // Esc and the title bar's close button act as Cancel.
    void reject() override;

public Q_SLOTS:
    void Form_Load();
    void Form_Unload();
    void Option_WinMediaPlayer_Click();
    void Option_OptionalPlayer_Click();
    void Command_Browse_Click();
    void Command_OK_Click();
    void Command_Cancel_Click();

private:
    QLabel* Label1 = nullptr;
    QLabel* Label_Player = nullptr;
    QRadioButton* Option_WinMediaPlayer = nullptr;
    QRadioButton* Option_OptionalPlayer = nullptr;
    QPushButton* Command_Browse = nullptr;
    QPushButton* Command_Cancel = nullptr;
    QPushButton* Command_OK = nullptr;

    // playerPath as it was when the window opened.
    QString PlayerPathAtOpen;
    // False while the window loads: an option selected then only shows what it stands for.
    bool LoadFinished = false;

    // Asks for a player program; false when the dialog was cancelled, which changes nothing.
    bool browse();

    AppContext& m;
    QAction& m_playerItem;
};
