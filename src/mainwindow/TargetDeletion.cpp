// Deleting on the target: the selected Target List folder, the content of the open target folder
// or that folder itself, and everything on the drive. Only a removable target drive is deleted
// from, and a deletion never reaches past it.

#include "MainForm.h"

#include "FolderBrowser.h"

#include "ListIndex.h"
#include "app/AppContext.h"
#include "copy/CopyProgressWindow.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/Folders.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

enum class TargetState { Removable, Fixed, Gone };

TargetState targetState(const AppContext& m)
{
    if (!m.TargetDrive || !m.TargetDrive->isReady())
        return TargetState::Gone;
    try {
        return m.TargetDrive->isRemovable() ? TargetState::Removable : TargetState::Fixed;
    } catch (const FsError&) {
        return TargetState::Gone;
    }
}

// A deletion the program will not make is reported as a denied permission.
FsError refusal(const QString& path, const QString& reason, const QString& swedishReason)
{
    return FsError(FsErrorKind::PermissionDenied, path, reason, swedishReason);
}

// Throws unless path may be deleted on the drive mounted at mountPoint: the drive is still there,
// ready and removable, and path lies on it, also once the links on the way are resolved. A whole
// folder lies below the drive's root and holds no other drive; the folder whose files are
// deleted may be the root itself.
void requireOnTarget(AppContext& m, const QString& mountPoint, const QString& path,
                     bool wholeFolder)
{
    const DriveInfo drive = m.fileSystem.drive(mountPoint);
    const QString realMountPoint = folders::realPath(mountPoint);
    if (!drive.isReady() || realMountPoint.isEmpty())
        throw FsError(FsErrorKind::DeviceUnavailable, mountPoint);
    if (!drive.isRemovable())
        throw refusal(path, u"The drive is not removable"_s, u"Disken är inte flyttbar"_s);
    if (m.fileSystem.driveName(path) != mountPoint)
        throw refusal(path, u"The folder is not on the target drive"_s,
                      u"Foldern ligger inte på måldisken"_s);

    const QString root = drives::rootOf(realMountPoint);
    QString real;
    if (wholeFolder) {
        const QString name = paths::folderName(path);
        if (name.isEmpty() || name == u"."_s || name == u".."_s)
            throw refusal(path, u"The folder is the drive's root"_s,
                          u"Foldern är diskens rotfolder"_s);
        // The folder's own name is left as it is: a link is removed as a link.
        const QString parent = folders::realPath(paths::cutAfterLastSlash(path));
        if (!parent.isEmpty())
            real = paths::join(parent, name);
    } else {
        real = folders::realPath(path);
    }
    if (real.isEmpty())
        throw FsError(FsErrorKind::PathNotFound, path);
    if (!(wholeFolder ? real : drives::rootOf(real)).startsWith(root))
        throw refusal(path, u"The folder lies outside the target drive"_s,
                      u"Foldern ligger utanför måldisken"_s);
    if (!wholeFolder)
        return;
    const QString inside = real + u'/';
    for (const Volume& volume : m.drives().volumes()) {
        if (drives::rootOf(volume.mountPoint).startsWith(inside))
            throw refusal(path, u"Another drive is mounted inside the folder"_s,
                          u"En annan disk är monterad i foldern"_s);
    }
}

// One step of a deletion. Write-protected content ends the deletion (false), and so does a
// denied permission when permissionStops; any other failure skips the step.
bool deletionStep(const std::function<void()>& step, bool permissionStops)
{
    try {
        step();
        return true;
    } catch (const FsError& error) {
        return error.kind() != FsErrorKind::PathFileAccess &&
               (!permissionStops || error.kind() != FsErrorKind::PermissionDenied);
    }
}

// While a deletion works the window takes no input and cannot be closed, and the pointer shows
// that the program is busy. Afterwards the focus is where it was.
class BusyWindow final {
public:
    explicit BusyWindow(MainForm& window)
        : w(window)
        , m_focus(window.focusWidget())
    {
        w.setWorking(true);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyWindow()
    {
        QApplication::restoreOverrideCursor();
        w.setWorking(false);
        if (m_focus)
            m_focus->setFocus();
    }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

private:
    MainForm& w;
    QPointer<QWidget> m_focus;
};

void showWriteProtected(AppContext& m)
{
    m.message(m.text(u"Remove folders"_s, u"Ta bort foldrar"_s),
              m.text(u"At least one file or folder is write protected."_s,
                     u"Minst en fil eller folder är skrivskyddad."_s),
              Platform::Buttons::Ok, Platform::Icon::Exclamation);
}

} // namespace

void MainForm::ClearTargetDrive_Click()
{
    if (!targetTakesDeletion())
        return;
    const QString drive = TargetDriveList->drive();
    const auto answer =
        m.message(m.text(u"Clear Disk"_s, u"Radera disk"_s),
                  m.text(u"You have chosen to permanently delete all files and folders from\n"_s +
                             drive + u"\n\nSelect OK to continue !"_s,
                         u"Du har valt att permanent radera alla filer och foldrar på\n"_s + drive +
                             u"\n\nVälj OK för att fortsätta !"_s),
                  Platform::Buttons::OkCancel, Platform::Icon::Question);
    if (answer == Platform::Answer::Cancel) {
        TargetList->setFocus();
        return;
    }
    ClearWholeDrive = true;
    ClearTargetFolders_Click();
}

void MainForm::ClearTargetFolders_Click()
{
    const bool wholeDrive = std::exchange(ClearWholeDrive, false);
    if (!targetTakesDeletion())
        return;
    const QString mountPoint = m.TargetDrive->mountPoint();
    bool contentOnly = true;
    if (wholeDrive) {
        try {
            TargetFolderList->setPath(drives::rootOf(mountPoint));
        } catch (const FsError&) {
            leaveLostTargetDrive();
            return;
        }
    } else {
        const QString open = TargetFolderList->list(-1);
        const auto answer = m.message(
            m.text(u"Remove folders"_s, u"Ta bort foldrar"_s),
            m.text(u"You have chosen to permanently delete all files and folders from\n"_s + open +
                       u".\n\nSelect Yes if you also want to remove this folder or\nNo to remove "
                       u"it's content only."_s,
                   u"Du har valt att permanent radera alla filer och foldrar från \n"_s + open +
                       u".\n\nVälj Ja om du även vill ta bort denna folder eller\nNej för att "
                       u"radera endast dess innehåll."_s),
            Platform::Buttons::YesNoCancel, Platform::Icon::Question);
        if (answer == Platform::Answer::Cancel)
            return;
        contentOnly = answer == Platform::Answer::No;
    }

    // A folder or medium gone since it was shown moves the pane, and nothing is deleted.
    if (!m_targetFolders->reread())
        return;
    FillTargetList();
    bool finished = false;
    {
        const BusyWindow busy(*this);
        QCoreApplication::processEvents();
        const QString open = TargetFolderList->list(-1);
        if (contentOnly) {
            finished = clearTargetContent(mountPoint, open);
        } else {
            finished = deletionStep([&] { deleteOnTarget(mountPoint, open); }, true);
            if (finished) {
                QCoreApplication::processEvents();
                TargetUpOneLevel_Click();
            }
        }
    }
    if (!finished) {
        // The lists keep showing what was there before; Refresh shows what is left.
        showWriteProtected(m);
        return;
    }

    if (m_targetFolders->reread())
        FillTargetList();
    UpdateEstimatedFreeSpace();
    if (TargetFolderList->path() == TargetDriveList->drive() + u'/')
        ClearTargetDrive->setEnabled(false);
    TargetFolderList->setFocus();
}

void MainForm::RemoveTargetFolder_Click()
{
    const int idx = listIndex(TargetList);
    if (idx < 0 || targetState(m) == TargetState::Fixed) {
        RemoveTargetFolder->setEnabled(false);
        return;
    }
    const QString path = TargetList->item(idx)->text();
    const auto answer =
        m.message(m.text(u"Delete folder"_s, u"Radera folder"_s),
                  m.text(u"Are you sure you want to permanently delete \n"_s + path + u" ?"_s,
                         u"Är du säker på att du vill permant radera \n"_s + path + u" ?"_s),
                  Platform::Buttons::YesNo, Platform::Icon::Question);
    if (answer == Platform::Answer::No)
        return;

    try {
        {
            const BusyWindow busy(*this);
            deleteOnTarget(m.TargetDrive ? m.TargetDrive->mountPoint() : QString(), path);
            QCoreApplication::processEvents();
        }
        TargetFolderList->refresh();
        FillTargetList();
        UpdateEstimatedFreeSpace();
    } catch (const FsError& error) {
        // A refused deletion or write-protected content: what was deleted stays deleted.
        if (error.kind() == FsErrorKind::PermissionDenied ||
            error.kind() == FsErrorKind::PathFileAccess)
            showWriteProtected(m);
        else
            m.ShowPathNotFound(path);
        RefreshTargetLists_Click();
        return;
    }

    const int count = TargetList->count();
    if (count == 0) {
        ClearTargetFolders->setEnabled(false);
        TargetFolderList->setFocus();
    } else {
        // The list shows where the deleted folder stood, with nothing selected.
        TargetList->setCurrentRow(idx < count ? idx : count - 1);
        TargetList->clearSelection();
        TargetList->setFocus();
    }
    RemoveTargetFolder->setEnabled(false);
}

bool MainForm::targetTakesDeletion()
{
    switch (targetState(m)) {
    case TargetState::Removable:
        return true;
    case TargetState::Fixed:
        RemoveTargetFolder->setEnabled(false);
        ClearTargetFolders->setEnabled(false);
        ClearTargetDrive->setEnabled(false);
        return false;
    case TargetState::Gone:
        leaveLostTargetDrive();
        return false;
    }
    return false;
}

void MainForm::leaveLostTargetDrive()
{
    m.ShowDriveNotReady(TargetDriveList->drive());
    m_targetFolders->openSystemDrive();
}

void MainForm::deleteOnTarget(const QString& mountPoint, const QString& folder)
{
    requireOnTarget(m, mountPoint, folder, true);
    m.fileSystem.deleteFolder(folder);
}

bool MainForm::clearTargetContent(const QString& mountPoint, const QString& folder)
{
    // The folders listed when the deletion starts.
    QStringList folders;
    for (int i = 0; i < TargetList->count(); ++i)
        folders.append(TargetFolderList->list(i));
    {
        CopyProgressWindow progress(m, this);
        progress.setDeleting();
        progress.show();
        QCoreApplication::processEvents();
        for (const QString& subfolder : std::as_const(folders)) {
            progress.showFolder(subfolder, *this);
            if (!deletionStep([&] { deleteOnTarget(mountPoint, subfolder); }, true))
                return false;
            QCoreApplication::processEvents();
        }
    }
    // Every file directly in the folder, whatever its name.
    return deletionStep(
        [&] {
            requireOnTarget(m, mountPoint, folder, false);
            m.fileSystem.deleteFiles(folder, u"*"_s);
        },
        false);
}
