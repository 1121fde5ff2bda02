#pragma once

#include "FolderBrowser.h"

#include <QObject>
#include <QStringList>

class AppContext;
class DirListBox;
class QLayout;
class QPushButton;
class QWidget;

// The source disk: its drive list and folder list with Up, Go Home and Refresh, the drive list's
// refresh button and the two buttons that add folders to the Source List. The pane browses; what
// an addition does is the main window's to wire.
class SourcePane final : public QObject {
    Q_OBJECT

public:
    // Creates the controls on parent.
    SourcePane(AppContext& app, QWidget& parent);

    // The drive and folder lists with their buttons, and the column of add buttons.
    QLayout* createFoldersLayout();
    QLayout* createAddButtonsLayout();
    int addButtonsWidth() const;
    void setTexts(bool swedish);
    void setPaneToolTip(const QString& text);

    QString folder() const;
    // The highlighted entry of the folder list; "" when none is.
    QString highlightedFolder() const;
    // The entries of the folder list (the open folder's subfolders) and the highlighted row, -1
    // when none is.
    QStringList listedFolders() const;
    int highlightedRow() const;
    // The mount points the drive list shows, including one that has gone since it was read.
    QStringList listedDrives() const;

    FolderBrowser::StartPlace openAtStart(const QString& folder);
    // Opens the folder and its drive; throws FsError when it cannot be read.
    void goTo(const QString& folder);
    // Reads the open folder anew without taking the focus; false when it had vanished.
    bool reread(const QString& alreadyReported = {});
    // The Refresh button: reads the open folder anew and takes the focus.
    void refreshFolders();
    // The drive list's refresh button.
    void refreshDrives();
    void upOneLevel();
    void focusFolders();
    void setHomeEnabled(bool enabled);

Q_SIGNALS:
    // Insert or the add button: the highlighted folder goes into the Source List.
    void addRequested();
    // Ctrl+Insert or the button for several folders.
    void addSeveralRequested();
    void homeRequested();
    // The right button or Space on the folder list: the panes' pop-up menu.
    void menuRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void driveChanged();
    void folderChanged();
    void keyDown(int key, Qt::KeyboardModifiers shift);

    AppContext& m;
    FolderBrowser* m_browser;
    DirListBox* m_folders;
    QPushButton* m_up;
    QPushButton* m_home;
    QPushButton* m_refresh;
    QPushButton* m_addOne;
    QPushButton* m_addSeveral;
    QPushButton* m_refreshDrives;
};
