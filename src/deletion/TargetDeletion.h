#pragma once

#include <QObject>
#include <QString>

class AppContext;
class QWidget;
class TargetPane;

// Deleting on the target with the target pane's three delete buttons: the selected Target List
// folder, the content of the open target folder or that folder itself, and everything on the
// drive. Only a removable target drive is deleted from, and a deletion never reaches past it.
class TargetDeletion final : public QObject {
    Q_OBJECT

public:
    // Answers the pane's delete buttons; window is the main window, which is busy meanwhile.
    TargetDeletion(AppContext& app, TargetPane& pane, QWidget& window);

    void removeFolder();
    void clearFolders();
    void clearDrive();

Q_SIGNALS:
    // While a deletion works the window takes no input and cannot be closed.
    void workingChanged(bool working);

private:
    void clear(bool wholeDrive);
    // True when the target drive is removable and there; a fixed drive turns the delete buttons
    // off, a lost one is reported and the pane moves to the system drive.
    bool targetTakesDeletion();
    // Deletes a folder with everything in it, only below the root of the target drive.
    void deleteOnTarget(const QString& mountPoint, const QString& folder);
    // Deletes the listed subfolders of the open folder, then its files; false when
    // write-protected content stopped the deletion.
    bool clearTargetContent(const QString& mountPoint, const QString& folder);

    AppContext& m;
    TargetPane& m_pane;
    QWidget& m_window;
};
