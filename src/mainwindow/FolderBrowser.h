#pragma once

#include <QList>
#include <QObject>
#include <QString>

class AppContext;
class DirListBox;
class DriveListBox;
class QLayout;
class QWidget;

// A drive list above a folder list, the browsing half of the source and the target pane. A
// folder that has vanished or a medium that has been pulled never leaves the lists blank: the
// browser ends on the nearest folder that exists, or on the system drive.
class FolderBrowser final : public QObject {
    Q_OBJECT

public:
    // Creates the lists on parent, named side + "DriveList" and side + "FolderList".
    FolderBrowser(AppContext& app, const QString& side, QWidget& parent);

    DriveListBox& driveList() const { return *m_drives; }
    DirListBox& folderList() const { return *m_folders; }
    // The lists with the pane's buttons: refreshDrives beside the drive list, below the folder
    // list the navigation buttons on the left and refresh on the right.
    QLayout* createLayout(QWidget* refreshDrives, const QList<QWidget*>& navigation,
                          QWidget* refresh) const;

    // Opens the folder, or the nearest one above it when it is gone.
    void open(const QString& folder);
    // Reads the open folder anew; false when it had vanished and the browser moved. A folder
    // already reported gone is not reported again.
    bool reread(const QString& alreadyReported = {});
    // After a drive change that failed: the drive list shows the drive of the open folder again.
    void keepFolder();
    // Opens the root of the system drive, where the drive of the lists is gone.
    void openSystemDrive();

    // Opens folder at start, or the nearest existing folder above it on its drive; a drive that
    // is gone opens the system drive. Says which of the three happened.
    enum class StartPlace { Folder, Above, SystemDrive };
    StartPlace openAtStart(const QString& folder);

Q_SIGNALS:
    // The open folder was read anew where it had vanished below: no change of folder is told.
    void openFolderReread();
    // The drive list went back to the drive of the open folder.
    void folderKept();

private:
    void openNearestFolder(const QString& folder, const QString& alreadyReported = {});

    AppContext& m;
    DriveListBox* m_drives;
    DirListBox* m_folders;
};
