#include "TargetDeletion.h"

#include "app/AppContext.h"
#include "copy/CopyProgressWindow.h"
#include "mainwindow/TargetPane.h"
#include "platform/Folders.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

enum class TargetState { Removable, Fixed, Gone };

TargetState targetState(const TargetPane& pane)
{
    const std::optional<DriveInfo>& drive = pane.drive();
    if (!drive || !drive->isReady())
        return TargetState::Gone;
    try {
        return drive->isRemovable() ? TargetState::Removable : TargetState::Fixed;
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
    BusyWindow(const QWidget& window, std::function<void(bool)> setWorking)
        : m_setWorking(std::move(setWorking))
        , m_focus(window.focusWidget())
    {
        m_setWorking(true);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyWindow()
    {
        QApplication::restoreOverrideCursor();
        m_setWorking(false);
        if (m_focus)
            m_focus->setFocus();
    }
    BusyWindow(const BusyWindow&) = delete;
    BusyWindow& operator=(const BusyWindow&) = delete;

private:
    std::function<void(bool)> m_setWorking;
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

TargetDeletion::TargetDeletion(AppContext& app, TargetPane& pane, QWidget& window)
    : QObject(&window)
    , m(app)
    , m_pane(pane)
    , m_window(window)
{
    connect(&pane, &TargetPane::removeRequested, this, &TargetDeletion::removeFolder);
    connect(&pane, &TargetPane::clearFoldersRequested, this, &TargetDeletion::clearFolders);
    connect(&pane, &TargetPane::clearDriveRequested, this, &TargetDeletion::clearDrive);
}

void TargetDeletion::clearDrive()
{
    if (!targetTakesDeletion())
        return;
    const QString drive = m_pane.driveName();
    const auto answer =
        m.message(m.text(u"Clear Disk"_s, u"Radera disk"_s),
                  m.text(u"You have chosen to permanently delete all files and folders from\n"_s +
                             drive + u"\n\nSelect OK to continue !"_s,
                         u"Du har valt att permanent radera alla filer och foldrar på\n"_s + drive +
                             u"\n\nVälj OK för att fortsätta !"_s),
                  Platform::Buttons::OkCancel, Platform::Icon::Question);
    if (answer == Platform::Answer::Cancel) {
        m_pane.focusList();
        return;
    }
    clear(true);
}

void TargetDeletion::clearFolders()
{
    clear(false);
}

void TargetDeletion::clear(bool wholeDrive)
{
    if (!targetTakesDeletion())
        return;
    const QString mountPoint = m_pane.drive()->mountPoint();
    bool contentOnly = true;
    if (wholeDrive) {
        try {
            m_pane.openDriveRoot();
        } catch (const FsError&) {
            m_pane.leaveLostDrive();
            return;
        }
    } else {
        const QString open = m_pane.openFolder();
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
    if (!m_pane.reread())
        return;
    m_pane.fillList();
    bool finished = false;
    {
        const BusyWindow busy(m_window, [this](bool working) { Q_EMIT workingChanged(working); });
        QCoreApplication::processEvents();
        const QString open = m_pane.openFolder();
        if (contentOnly) {
            finished = clearTargetContent(mountPoint, open);
        } else {
            finished = deletionStep([&] { deleteOnTarget(mountPoint, open); }, true);
            if (finished) {
                QCoreApplication::processEvents();
                m_pane.upOneLevel();
            }
        }
    }
    if (!finished) {
        // The lists keep showing what was there before; Refresh shows what is left.
        showWriteProtected(m);
        return;
    }

    if (m_pane.reread())
        m_pane.fillList();
    m_pane.updateFreeSpace();
    if (m_pane.showsDriveRoot())
        m_pane.disable(TargetPane::DeleteButton::ClearDrive);
    m_pane.focusFolders();
}

void TargetDeletion::removeFolder()
{
    const int idx = m_pane.selectedRow();
    if (idx < 0 || targetState(m_pane) == TargetState::Fixed) {
        m_pane.disable(TargetPane::DeleteButton::Remove);
        return;
    }
    const QString path = m_pane.selectedListEntry();
    const auto answer =
        m.message(m.text(u"Delete folder"_s, u"Radera folder"_s),
                  m.text(u"Are you sure you want to permanently delete \n"_s + path + u" ?"_s,
                         u"Är du säker på att du vill permant radera \n"_s + path + u" ?"_s),
                  Platform::Buttons::YesNo, Platform::Icon::Question);
    if (answer == Platform::Answer::No)
        return;

    try {
        {
            const BusyWindow busy(m_window,
                                  [this](bool working) { Q_EMIT workingChanged(working); });
            deleteOnTarget(m_pane.drive() ? m_pane.drive()->mountPoint() : QString(), path);
            QCoreApplication::processEvents();
        }
        m_pane.rereadFolders();
        m_pane.fillList();
        m_pane.updateFreeSpace();
    } catch (const FsError& error) {
        // A refused deletion or write-protected content: what was deleted stays deleted.
        if (error.kind() == FsErrorKind::PermissionDenied ||
            error.kind() == FsErrorKind::PathFileAccess)
            showWriteProtected(m);
        else
            m.ShowPathNotFound(path);
        m_pane.refresh();
        return;
    }
    m_pane.showRemovedAt(idx);
}

bool TargetDeletion::targetTakesDeletion()
{
    switch (targetState(m_pane)) {
    case TargetState::Removable:
        return true;
    case TargetState::Fixed:
        m_pane.disable(TargetPane::DeleteButton::Remove);
        m_pane.disable(TargetPane::DeleteButton::ClearFolders);
        m_pane.disable(TargetPane::DeleteButton::ClearDrive);
        return false;
    case TargetState::Gone:
        m_pane.leaveLostDrive();
        return false;
    }
    return false;
}

void TargetDeletion::deleteOnTarget(const QString& mountPoint, const QString& folder)
{
    requireOnTarget(m, mountPoint, folder, true);
    m.fileSystem.deleteFolder(folder);
}

bool TargetDeletion::clearTargetContent(const QString& mountPoint, const QString& folder)
{
    // The folders listed when the deletion starts.
    const QStringList folders = m_pane.subfolders();
    {
        CopyProgressWindow progress(m, &m_window);
        progress.setDeleting();
        progress.show();
        QCoreApplication::processEvents();
        for (const QString& subfolder : folders) {
            progress.showFolder(subfolder, m_window);
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
