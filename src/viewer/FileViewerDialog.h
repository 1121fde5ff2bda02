#pragma once

#include <QDialog>
#include <QStringList>

class AppContext;
class FileListBox;
class QLabel;
class QPushButton;
enum class FsErrorKind;

// The mp3 files of the folder highlighted in the pane the user worked in last. The file chosen
// is handed to the desktop's media player or to the player the user picked; the viewer neither
// plays it itself nor waits for the player. A folder that cannot be opened is reported, and the
// main window follows up on what the viewer tells.
class FileViewerDialog final : public QDialog {
    Q_OBJECT

public:
    // listedDrives are the mount points the panes' drive lists show, which may include a
    // medium pulled since they were read.
    FileViewerDialog(AppContext& m, QString folder, QStringList listedDrives, QWidget* parent);

    // Lists the folder's files and selects the first. False when the folder cannot be shown:
    // the user has been told why, the main window has followed up, and the viewer closes
    // without ever being shown.
    bool Form_Load();

Q_SIGNALS:
    // Told after the message, before Form_Load returns.
    void driveNotReady();
    void folderNotFound();

public Q_SLOTS:
    // Plays the selected file; a player that cannot start is passed over in silence.
    void File1_DblClick();
    // Enter plays, Esc closes; modifiers Shift, Ctrl and Alt only, they make no difference.
    void File1_KeyDown(int key, Qt::KeyboardModifiers shift);
    void Button_OK_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FileListBox* File1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button_OK = nullptr;

    // The drive holding the folder, also when its medium has been pulled; "" when none does.
    QString driveOf(const QString& folder) const;
    void reportOpeningFailure(FsErrorKind kind, const QString& folder, const QString& drive);

    AppContext& m;
    QString m_folder;
    QStringList m_listedDrives;
};
