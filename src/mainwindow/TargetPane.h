#pragma once

#include "platform/FileSystem.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class AppContext;
class DirListBox;
class DriveListBox;
class FolderBrowser;
class QLabel;
class QLayout;
class QListWidget;
class QMouseEvent;
class QPushButton;
class QWidget;

// The target disk: its drive list and folder list with Up and Refresh, the drive list's refresh
// button, the Target List of the open folder's subfolders, the estimated free space, the mp3
// count and the three delete buttons. The pane owns the target drive (the drive of the open
// folder), the estimate of the free space left after copying the Source List, and the user's
// consent to count on a fixed drive. What a deletion does is not the pane's: it tells the
// buttons' clicks.
class TargetPane final : public QObject {
    Q_OBJECT

public:
    // Creates the controls on parent; listedBytes gives the size of what is to be copied.
    TargetPane(AppContext& app, QWidget& parent, std::function<double()> listedBytes);

    // The drive and folder lists with their buttons; the free space, the count, the Target List
    // and the delete buttons.
    QLayout* createFoldersLayout();
    QLayout* createListLayout();
    void setTexts(bool swedish);
    void setPaneToolTips(const QString& folders, const QString& list);

    // The drive of the open folder; none when it could not be read.
    const std::optional<DriveInfo>& drive() const { return m_drive; }
    // The drive as the drive list names it.
    QString driveName() const;
    // The open folder as the folder list keeps it (a drive's root ends in "/").
    QString folder() const;
    // The open folder as its list entry reads.
    QString openFolder() const;
    // The highlighted entry of the folder list; "" when none is.
    QString highlightedFolder() const;
    // The selected entry of the Target List; "" when none is. Its row, -1 when none is.
    QString selectedListEntry() const;
    int selectedRow() const;
    // The entries of the Target List and of the folder list (the open folder's subfolders).
    QStringList listedFolders() const;
    QStringList subfolders() const;
    // The mount points the drive list shows, including one that has gone since it was read.
    QStringList listedDrives() const;
    // The mp3 count as the pane shows it.
    QString mp3CountText() const;
    // The open folder is the root of the drive.
    bool showsDriveRoot() const;

    // Opens the folder the program starts on. An mp3 count due there waits until the pane is on
    // screen: reading through a stick should not keep the window from showing.
    void openAtStart(const QString& folder);
    // Opens the root of the target drive; throws FsError when it cannot be read.
    void openDriveRoot();
    // Reads the open folder anew; false when it had vanished and the pane moved.
    bool reread();
    // Reads the folder list anew as it is; throws FsError when it cannot be read.
    void rereadFolders();
    // The Target List from the folder list, the delete buttons and the count.
    void fillList();
    // The Refresh button: the lists, the free space and the count (after asking on a fixed
    // drive).
    void refresh();
    // The drive list's refresh button.
    void refreshDrives();
    void upOneLevel();
    // The estimate: the target drive's free space less the Source List. A drive that is gone is
    // reported and the pane moves to the system drive.
    void updateFreeSpace();
    // A folder the copy run has just made.
    void addListed(const QString& path);
    // After a copy run: a lost drive is left, and the lists, count and free space read anew.
    void followCopyRun(bool driveLost);
    // Reports the drive not ready and opens the system drive.
    void leaveLostDrive();

    enum class DeleteButton { Remove, ClearFolders, ClearDrive };
    void disable(DeleteButton button);
    // After the removal of the row's folder: the list shows where it stood, nothing selected.
    void showRemovedAt(int row);
    void focusFolders();
    void focusList();

Q_SIGNALS:
    // Whether the Source List fits in the free space.
    void fitsChanged(bool fits);
    // Space or the right button on a highlighted entry: the file viewer.
    void viewRequested();
    // The right button on the folder list: the panes' pop-up menu.
    void menuRequested();
    void removeRequested();
    void clearFoldersRequested();
    void clearDriveRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void driveChanged();
    void folderChanged();
    // The drive, the free space and the remove button follow the drive of the open folder.
    void takeDrive();
    void countMp3Files();
    void folderClicked();
    void listClicked();
    bool mouseEvent(bool folders, QMouseEvent* event);
    void folderKeyDown(int key);
    void listKeyDown(int key);

    AppContext& m;
    std::function<double()> m_listedBytes;
    FolderBrowser* m_browser;
    DriveListBox* m_drives;
    DirListBox* m_folders;
    QPushButton* m_up;
    QPushButton* m_refresh;
    QListWidget* m_list;
    QPushButton* m_remove;
    QPushButton* m_clearFolders;
    QPushButton* m_clearDrive;
    QLabel* m_freeCaption;
    QLabel* m_free;
    QLabel* m_countCaption;
    QLabel* m_count;
    QPushButton* m_refreshDrives; // made last: the Tab order follows the order of making
    std::optional<DriveInfo> m_drive;
    double m_estimate = 0;
    bool m_startingUp = false;
    bool m_countWaiting = false;
    bool m_countingConfirmed = false;
};
