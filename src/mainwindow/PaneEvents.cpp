// The keyboard and mouse of the four panes, the pane the user works in (the active pane), the
// panes' pop-up menu and the windows opened from the panes.

#include "MainForm.h"

#include "FolderBrowser.h"

#include "ListIndex.h"
#include "SourceListPane.h"
#include "SourcePane.h"
#include "app/AppContext.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "viewer/FileViewerDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include <memory>

void MainForm::connectPanes()
{
    for (QListWidget* pane : targetPanes()) {
        // A pane takes the focus from the left button only (see eventFilter).
        pane->setFocusPolicy(Qt::TabFocus);
        pane->installEventFilter(this);
        pane->viewport()->installEventFilter(this);
    }

    connect(m_source, &SourcePane::addRequested, this, &MainForm::CopyFolder_Click);
    connect(m_source, &SourcePane::addSeveralRequested, this, &MainForm::CopyMultipleFolders_Click);
    connect(m_source, &SourcePane::menuRequested, this,
            [this] { Menu_Hidden->popup(QCursor::pos()); });
    connect(TargetFolderList, &DirListBox::entryActivated, this,
            [this](int index) { m_targetFolders->open(TargetFolderList->list(index)); });
    connect(TargetFolderList, &QListWidget::itemClicked, this, &MainForm::TargetFolderList_Click);
    connect(m_list, &SourceListPane::totalChanged, this, &MainForm::UpdateEstimatedFreeSpace);
    connect(m_list, &SourceListPane::copyRequested, this, &MainForm::CopyFolders_Click);
    connect(m_list, &SourceListPane::clearRequested, this, &MainForm::ClearSourceList_Click);
    connect(m_list, &SourceListPane::viewRequested, this, &MainForm::ShowFileViewer);
    connect(m_list, &SourceListPane::emptied, m_source, &SourcePane::focusFolders);
    // A list box's click is any selection of an item: by mouse, by keys or by the program.
    connect(TargetList, &QListWidget::itemSelectionChanged, this, [this] {
        if (listIndex(TargetList) >= 0)
            TargetList_Click();
    });

    connect(TargetUpOneLevel, &QPushButton::clicked, this, &MainForm::TargetUpOneLevel_Click);
    connect(RefreshTargetLists, &QPushButton::clicked, this, &MainForm::RefreshTargetLists_Click);
    connect(RemoveTargetFolder, &QPushButton::clicked, this, &MainForm::RemoveTargetFolder_Click);
    connect(ClearTargetFolders, &QPushButton::clicked, this, &MainForm::ClearTargetFolders_Click);
    connect(ClearTargetDrive, &QPushButton::clicked, this, &MainForm::ClearTargetDrive_Click);
    connect(RefreshTargetDrives, &QPushButton::clicked, this,
            [this] { RefreshDriveLists_Click(1); });
    connect(Menu_OpenPlay, &QAction::triggered, this, &MainForm::ShowFileViewer);
    connect(Menu_OpenExplorer, &QAction::triggered, this, &MainForm::Menu_OpenExplorer_Click);
}

std::array<QListWidget*, 2> MainForm::targetPanes() const
{
    return {TargetFolderList, TargetList};
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    const std::array<QListWidget*, 2> panes = targetPanes();
    for (std::size_t i = 0; i < panes.size(); ++i) {
        // The source panes 0 and 1 watch themselves.
        const int pane = int(i) + 2;
        if (watched == panes[i]->viewport()) {
            const QEvent::Type type = event->type();
            if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
                type != QEvent::MouseButtonRelease)
                return false;
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (type != QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
                panes[i]->setFocus(Qt::MouseFocusReason);
            return paneMouseEvent(pane, mouse);
        }
        if (watched != panes[i])
            continue;
        if (event->type() == QEvent::FocusIn) {
            // The focus coming back from the pop-up menu, before its item acts, is not the user
            // entering the pane: the menu may have been opened on another one.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                m.activePane = Pane(pane);
        } else if (event->type() == QEvent::KeyPress) {
            // The keys are not taken away from the pane: its own handling follows. Except Space
            // on a folder list: there it is a type-ahead search, which matches the indentation
            // of the entries and would move the highlight the pop-up menu and viewer act on.
            const auto* key = static_cast<QKeyEvent*>(event);
            const Qt::KeyboardModifiers shift =
                key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
            if (pane == 2) {
                TargetFolderList_KeyDown(key->key(), shift);
                if (!key->text().isEmpty())
                    TargetFolderList_KeyPress(key->text().front());
            } else {
                TargetList_KeyDown(key->key(), shift);
            }
            return key->key() == Qt::Key_Space && pane == 2;
        }
        return false;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainForm::paneMouseEvent(int pane, QMouseEvent* event)
{
    // The right button acts on the entry already highlighted: the list neither moves its
    // highlight nor takes the focus for it, so it never sees that button.
    const Qt::MouseButton button = event->button();
    if (event->type() == QEvent::MouseButtonRelease)
        return button == Qt::RightButton;
    if (pane == 2)
        TargetFolderList_MouseDown(button);
    else
        TargetList_MouseDown(button);
    return button == Qt::RightButton;
}

void MainForm::TargetFolderList_KeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Space && TargetFolderList->listIndex() >= 0)
        ShowFileViewer();
    else if (key == Qt::Key_Left)
        TargetUpOneLevel_Click();
    else if (key == Qt::Key_Right)
        m_targetFolders->open(TargetFolderList->list(TargetFolderList->listIndex()));
}

void MainForm::TargetFolderList_KeyPress(QChar typed)
{
    if (typed == u'\r')
        m_targetFolders->open(TargetFolderList->list(TargetFolderList->listIndex()));
}

void MainForm::TargetList_KeyDown(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Space && listIndex(TargetList) >= 0)
        ShowFileViewer();
    else if (key == Qt::Key_Delete && RemoveTargetFolder->isEnabled())
        RemoveTargetFolder_Click();
}

void MainForm::TargetFolderList_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    m.activePane = Pane::TargetFolders;
    Menu_Hidden->popup(QCursor::pos());
}

void MainForm::TargetList_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton || listIndex(TargetList) < 0)
        return;
    m.activePane = Pane::TargetList;
    ShowFileViewer();
}

QString MainForm::activePaneFolder() const
{
    switch (m.activePane) {
    case Pane::SourceFolders:
        return m_source->highlightedFolder();
    case Pane::SourceList:
        return m_list->highlightedFolder();
    case Pane::TargetFolders:
        return TargetFolderList->list(TargetFolderList->listIndex());
    case Pane::TargetList:
        break;
    }
    return listIndex(TargetList) < 0 ? QString() : TargetList->currentItem()->text();
}

void MainForm::ShowFileViewer()
{
    QStringList drives = m_source->listedDrives();
    for (int i = 0; i < TargetDriveList->count(); ++i)
        drives.append(TargetDriveList->itemData(i).toString());
    auto viewer = std::make_unique<FileViewerDialog>(m, activePaneFolder(), drives, this);
    const bool target = m.activePane == Pane::TargetFolders || m.activePane == Pane::TargetList;
    connect(viewer.get(), &FileViewerDialog::driveNotReady, this,
            [this, target] { RefreshDriveLists_Click(target ? 1 : 0); });
    // The pane active once the message has gone.
    connect(viewer.get(), &FileViewerDialog::folderNotFound, this, [this] {
        if (m.activePane == Pane::SourceFolders)
            m_source->refreshFolders();
        else if (m.activePane == Pane::SourceList)
            m_list->removeSelected();
        else
            RefreshTargetLists_Click();
    });
    // A folder that cannot be shown has been reported; the viewer closes before it shows.
    if (!viewer->Form_Load())
        return;
    viewer->exec();
    viewer.reset();
    QCoreApplication::processEvents();
}

void MainForm::Menu_OpenExplorer_Click()
{
    const QString folder = activePaneFolder();
    if (!folder.isEmpty())
        m.platform().openUrl(QUrl::fromLocalFile(folder));
}
