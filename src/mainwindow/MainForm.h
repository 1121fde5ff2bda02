#pragma once

#include <QMainWindow>

#include <array>

class DirListBox;
class DriveListBox;
class FileListBox;
class Module1;
class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;

// The main window: source pane above, target pane below, each a drive list, a folder list and
// a list box with their buttons. Closing it ends the program.
class MainForm final : public QMainWindow {
    Q_OBJECT

public:
    explicit MainForm(Module1& m, QWidget* parent = nullptr);
    ~MainForm() override;

    // Menus.
    QMenu* Menu_File = nullptr;
    QAction* Menu_ShowSavedSourceList = nullptr;
    QAction* Menu_SaveCurrentSourceList = nullptr;
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

    // Source side.
    DriveListBox* SourceDriveList = nullptr;
    DirListBox* SourceFolderList = nullptr;
    QPushButton* SourceUpOneLevel = nullptr;
    QPushButton* GoHome = nullptr;
    QPushButton* RefreshSourceLists = nullptr;
    QPushButton* CopyFolder = nullptr;
    QPushButton* CopyMultipleFolders = nullptr;
    QListWidget* SourceList = nullptr;
    QPushButton* RemoveSourceFolder = nullptr;
    QPushButton* ClearSourceList = nullptr;
    QLabel* Label_TotalSize = nullptr;
    QLabel* TotalSize = nullptr;
    QLabel* Label_ShowFiles = nullptr;
    QPushButton* CopyFolders = nullptr;

    // Target side.
    DriveListBox* TargetDriveList = nullptr;
    DirListBox* TargetFolderList = nullptr;
    QPushButton* TargetUpOneLevel = nullptr;
    QPushButton* RefreshTargetLists = nullptr;
    QListWidget* TargetList = nullptr;
    QPushButton* RemoveTargetFolder = nullptr;
    QPushButton* ClearTargetFolders = nullptr;
    QPushButton* ClearTargetDrive = nullptr;
    QLabel* Label_TargetFreeSpace = nullptr;
    QLabel* TargetFreeSpace = nullptr;
    std::array<QLabel*, 2> Label_NumberOfFiles{};
    std::array<QPushButton*, 2> RefreshDriveLists{};

    // Not shown: enumerators for counting and copying, and the copy run's progress bar.
    DirListBox* TempFolders = nullptr;
    FileListBox* TempFiles = nullptr;
    FileListBox* FilesToCopy = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;

    // Window-level state.
    QString DefaultSourcePath;
    QString SourcePath;
    QString StartFolder;
    QString DataFolder;
    bool ToolTipsOff = false;
    bool DefaultPathLost = false;
    bool CountingConfirmed = false;
    bool SkipClearConfirmation = false;
    bool ClearWholeDrive = false;
    qint16 DragStartIndex = -1;

    // True when the folder may go into the Source List: it is not there yet, or the user wants
    // it twice.
    bool CheckDuplicateFolder(const QString& path);

    // The four panes' tool tips in the language in use.
    QString paneToolTip(int pane) const;

public Q_SLOTS:
    void Form_Load();
    void Form_Activate();
    void Form_QueryUnload(bool& cancel);
    void Form_Unload();
    void Menu_Exit_Click();

    void SourceDriveList_Change();
    void SourceFolderList_Change();
    void TargetDriveList_Change();
    void TargetFolderList_Change();
    void FillTargetList();
    void CountTargetMp3Files();
    void UpdateEstimatedFreeSpace();

    void Menu_UseDefaultSourcePath_Click();
    void Menu_SaveCurrentLocationasDefaultPath_Click();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createControls();
    void connectOption(QAction* item, void (MainForm::*handler)());
    void setEnglishTexts();
    void setSwedishTexts();
    void setPaneToolTips();
    void readSettings(QString& targetPath);
    void createDataFolder();
    void openSourceAtStart();
    void openTargetAtStart(const QString& targetPath);

    Module1& m;
    bool m_activated = false;
    bool m_unloaded = false;
};
