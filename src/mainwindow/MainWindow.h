#pragma once

#include <QMainWindow>

class AppContext;
class FileListBox;
class OptionsMenu;
class QAction;
class QFrame;
class QMenu;
class SourceListPane;
class SourcePane;
class TargetPane;

// The main window: source pane above, target pane below, each a drive list, a folder list and
// a list box with their buttons. Closing it ends the program.
class MainWindow final : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(AppContext& m, QWidget* parent = nullptr);
    ~MainWindow() override;

    SourcePane& sourcePane() { return *m_source; }
    SourceListPane& sourceListPane() { return *m_list; }
    OptionsMenu& options() { return *m_options; }
    TargetPane& targetPane() { return *m_target; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // While a copy run or a deletion works, the window takes no input and cannot be closed;
    // window events are still served.
    void setWorking(bool working);

    // The four panes' tool tips in the language in use.
    QString paneToolTip(int pane) const;

    // The folder of the highlighted entry of the active pane; "" when none is.
    QString activePaneFolder() const;

    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload(bool& cancel);
    void Form_Unload();
    void Menu_Exit_Click();

    void ShowFileViewer();
    void Menu_OpenExplorer_Click();
    // The play order of the folder open in the target pane; the panes follow a sort.
    void Menu_PlayOrder_Click();
    void CopyMultipleFolders_Click();

    void CopyFolder_Click();
    void ClearSourceList_Click();

    // The copy run.
    void CopyFolders_Click();

    // Menus.
    QMenu* Menu_File = nullptr;
    QAction* Menu_ShowSavedSourceList = nullptr;
    QAction* Menu_SaveCurrentSourceList = nullptr;
    QAction* Menu_PlayOrder = nullptr;
    QAction* Menu_Exit = nullptr;
    QMenu* Menu_Options = nullptr;
    QAction* Menu_English = nullptr;
    QAction* Menu_Swedish = nullptr;
    QAction* Menu_DisableToolTipsOnPanes = nullptr;
    QAction* Menu_UseDefaultSourcePath = nullptr;
    QAction* Menu_SaveCurrentLocationasDefaultPath = nullptr;
    QAction* Menu_GotoDefaultPath = nullptr;
    QAction* Menu_AddFolderPrefix = nullptr;
    QAction* Menu_UseLogFile = nullptr;
    QAction* Menu_Player = nullptr;
    QMenu* Menu_Help = nullptr;
    QAction* Menu_MenuHelp = nullptr;
    QAction* Menu_ShortcutsHelp = nullptr;
    QAction* Menu_About = nullptr;
    QMenu* Menu_Hidden = nullptr; // the panes' pop-up menu, not in the menu bar
    QAction* Menu_OpenPlay = nullptr;
    QAction* Menu_OpenExplorer = nullptr;

    // Not shown: the enumerator of the copy run.
    FileListBox* FilesToCopy = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;

    void createMenus();
    void createControls();
    // The captions and tool tips that differ between the languages.
    void setWindowTexts(bool swedish);
    void setEnglishTexts();
    void setSwedishTexts();
    void setPaneToolTips();
    void readSettings(QString& targetPath);
    void createDataFolder();
    void openSourceAtStart();
    void connectPanes();

    AppContext& m;
    SourcePane* m_source = nullptr;
    SourceListPane* m_list = nullptr;
    OptionsMenu* m_options = nullptr;
    TargetPane* m_target = nullptr;
    QString SourcePath;
    QString StartFolder;
    bool DefaultPathLost = false;
    bool CopyRunning = false; // a copy run or a deletion has the window: closing waits for its end
    bool m_activated = false;
    bool m_unloaded = false;
};
