#include "FolderBrowser.h"

#include "app/AppContext.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QBoxLayout>

using namespace Qt::StringLiterals;

FolderBrowser::FolderBrowser(AppContext& app, const QString& side, QWidget& parent)
    : QObject(&parent)
    , m(app)
    , m_drives(new DriveListBox(app.drives(), &parent))
    , m_folders(new DirListBox(app.drives(), &parent))
{
    m_drives->setObjectName(side + u"DriveList"_s);
    m_folders->setObjectName(side + u"FolderList"_s);
}

QLayout* FolderBrowser::createLayout(QWidget* refreshDrives, const QList<QWidget*>& navigation,
                                     QWidget* refresh) const
{
    auto* drive = new QHBoxLayout;
    drive->addWidget(m_drives, 1);
    drive->addWidget(refreshDrives);
    auto* buttons = new QHBoxLayout;
    for (QWidget* button : navigation)
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(refresh);
    auto* lists = new QVBoxLayout;
    lists->addLayout(drive);
    lists->addWidget(m_folders, 1);
    lists->addLayout(buttons);
    return lists;
}

void FolderBrowser::open(const QString& folder)
{
    try {
        m_folders->setPath(folder);
    } catch (const FsError&) {
        openNearestFolder(folder);
    }
}

bool FolderBrowser::reread(const QString& alreadyReported)
{
    try {
        m_folders->refresh();
        return true;
    } catch (const FsError&) {
        openNearestFolder(m_folders->path(), alreadyReported);
        return false;
    }
}

void FolderBrowser::openNearestFolder(const QString& folder, const QString& alreadyReported)
{
    // The drive list shows the drive of the folder. Once a medium is pulled its folders may
    // still match a shorter mount point by name, so the drive is not taken from the path.
    const QString mountPoint = m_drives->mountPoint();
    if (m.drives().isReady(mountPoint)) {
        if (folder != alreadyReported)
            m.ShowPathNotFound(folder);
        const QString root = drives::rootOf(mountPoint);
        const QString open = m_folders->path();
        QString above = folder;
        while (above.size() > root.size()) {
            above = paths::cutAfterLastSlash(paths::isRoot(above) ? above.chopped(1) : above);
            try {
                m_folders->setPath(above);
                // The open folder itself, read anew: no change is told.
                if (m_folders->path() == open)
                    Q_EMIT openFolderReread();
                return;
            } catch (const FsError&) {
                // Gone as well: one more level up.
            }
        }
    } else {
        m.ShowDriveNotReady(m_drives->drive());
    }
    openSystemDrive();
}

void FolderBrowser::openSystemDrive()
{
    const QString system = m.drives().systemMountPoint();
    try {
        // The drive change opens the root (and on the target side takes the drive); the path is
        // set as well for a list that showed the system drive already.
        m_drives->setDrive(system);
        m_folders->setPath(drives::rootOf(system));
    } catch (const FsError&) {
        // Not even the system drive can be read: the lists keep what they show.
    }
}

void FolderBrowser::keepFolder()
{
    if (!m_folders->path().isEmpty()) {
        m_drives->showDrive(m_folders->mountPoint());
        Q_EMIT folderKept();
        return;
    }
    try {
        m_drives->setDrive(m.drives().systemMountPoint());
    } catch (const FsError&) {
        // The system drive cannot be read either: the list keeps the user's choice.
    }
}

FolderBrowser::StartPlace FolderBrowser::openAtStart(const QString& folder)
{
    const auto volume = drives::volumeOf(m.drives().volumes(), folder);
    // A stick's folder left in the settings lies in a folder of the system drive where sticks
    // are mounted; when it is gone, so is the stick, and those folders are no place for the
    // lists.
    const bool stickGone = volume && volume->mountPoint == m.drives().systemMountPoint() &&
                           (folder.startsWith(u"/media/"_s) || folder.startsWith(u"/run/media/"_s));
    if (volume && m.drives().isReady(volume->mountPoint)) {
        for (QString above = folder; !above.isEmpty();
             above = drives::parentFolder({*volume}, above)) {
            try {
                m_folders->setPath(above);
                return above == folder ? StartPlace::Folder : StartPlace::Above;
            } catch (const FsError&) {
                // Gone: the folder above it, silently.
            }
            if (stickGone)
                break;
        }
    }
    openSystemDrive();
    return StartPlace::SystemDrive;
}
