// The panes' signals, the pane the user works in (the active pane), the panes' pop-up menu and
// the windows opened from the panes.

#include "MainWindow.h"

#include "SourceListPane.h"
#include "SourcePane.h"
#include "TargetPane.h"
#include "app/AppContext.h"
#include "deletion/TargetDeletion.h"
#include "platform/FsError.h"
#include "playorder/PlayOrderDialog.h"
#include "viewer/FileViewerDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>

#include <memory>

void MainWindow::connectPanes()
{
    connect(m_source, &SourcePane::addRequested, this, &MainWindow::CopyFolder_Click);
    connect(m_source, &SourcePane::addSeveralRequested, this,
            &MainWindow::CopyMultipleFolders_Click);
    connect(m_source, &SourcePane::menuRequested, this,
            [this] { Menu_Hidden->popup(QCursor::pos()); });
    connect(m_target, &TargetPane::menuRequested, this,
            [this] { Menu_Hidden->popup(QCursor::pos()); });
    connect(m_list, &SourceListPane::totalChanged, m_target, &TargetPane::updateFreeSpace);
    connect(m_target, &TargetPane::fitsChanged, m_list, &SourceListPane::setFits);
    connect(m_list, &SourceListPane::copyRequested, this, &MainWindow::CopyFolders_Click);
    connect(m_list, &SourceListPane::clearRequested, this, &MainWindow::ClearSourceList_Click);
    connect(m_list, &SourceListPane::viewRequested, this, &MainWindow::ShowFileViewer);
    connect(m_target, &TargetPane::viewRequested, this, &MainWindow::ShowFileViewer);
    connect(m_list, &SourceListPane::emptied, m_source, &SourcePane::focusFolders);
    connect(new TargetDeletion(m, *m_target, *this), &TargetDeletion::workingChanged, this,
            &MainWindow::setWorking);
    connect(Menu_OpenPlay, &QAction::triggered, this, &MainWindow::ShowFileViewer);
    connect(Menu_OpenExplorer, &QAction::triggered, this, &MainWindow::Menu_OpenExplorer_Click);
}

QString MainWindow::activePaneFolder() const
{
    switch (m.activePane) {
    case Pane::SourceFolders:
        return m_source->highlightedFolder();
    case Pane::SourceList:
        return m_list->highlightedFolder();
    case Pane::TargetFolders:
        return m_target->highlightedFolder();
    case Pane::TargetList:
        break;
    }
    return m_target->selectedListEntry();
}

void MainWindow::ShowFileViewer()
{
    const QStringList drives = m_source->listedDrives() + m_target->listedDrives();
    auto viewer = std::make_unique<FileViewerDialog>(m, activePaneFolder(), drives, this);
    const bool target = m.activePane == Pane::TargetFolders || m.activePane == Pane::TargetList;
    connect(viewer.get(), &FileViewerDialog::driveNotReady, this, [this, target] {
        if (target)
            m_target->refreshDrives();
        else
            m_source->refreshDrives();
    });
    // The pane active once the message has gone.
    connect(viewer.get(), &FileViewerDialog::folderNotFound, this, [this] {
        if (m.activePane == Pane::SourceFolders)
            m_source->refreshFolders();
        else if (m.activePane == Pane::SourceList)
            m_list->removeSelected();
        else
            m_target->refresh();
    });
    // A folder that cannot be shown has been reported; the viewer closes before it shows.
    if (!viewer->Form_Load())
        return;
    viewer->exec();
    viewer.reset();
    QCoreApplication::processEvents();
}

void MainWindow::Menu_OpenExplorer_Click()
{
    const QString folder = activePaneFolder();
    if (!folder.isEmpty())
        m.platform().openUrl(QUrl::fromLocalFile(folder));
}

void MainWindow::Menu_PlayOrder_Click()
{
    const QString folder = m_target->folder();
    QString fileSystem;
    try {
        if (!m_target->drive())
            throw FsError(FsErrorKind::DeviceUnavailable, m_target->driveName());
        fileSystem = m_target->drive()->fileSystem();
    } catch (const FsError&) {
        m_target->leaveLostDrive();
        return;
    }
    auto window =
        std::make_unique<PlayOrderDialog>(m.platform(), m.swedish, fileSystem, folder, this);
    bool changed = false;
    connect(window.get(), &PlayOrderDialog::stickChanged, this, [&changed] { changed = true; });
    window->exec();
    window.reset();
    QCoreApplication::processEvents();
    if (changed)
        m_target->refresh();
}
