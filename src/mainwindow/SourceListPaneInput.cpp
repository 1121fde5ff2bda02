// The Source List's keys, mouse buttons and the folders dropped onto it.

#include "SourceListPane.h"

#include "ListIndex.h"
#include "app/AppContext.h"
#include "platform/Drives.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>

#include <filesystem>
#include <system_error>

bool SourceListPane::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_list->viewport()) {
        if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)
            return dropEvent(static_cast<QDropEvent*>(event));
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease)
            return false;
        // The right button acts on the entry already selected: the list neither moves its
        // selection nor takes the focus for it, so it never sees that button.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::MouseButton button = mouse->button();
        if (type == QEvent::MouseButtonRelease) {
            mouseUp(button);
        } else {
            if (button == Qt::LeftButton)
                m_list->setFocus(Qt::MouseFocusReason);
            mouseDown(button, mouse->position().toPoint());
        }
        return button == Qt::RightButton;
    }
    if (watched != m_list)
        return false;
    if (type == QEvent::FocusIn) {
        // The focus coming back from the pop-up menu, before its item acts, is not the user
        // entering the pane: the menu may have been opened on another one.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            m.activePane = Pane::SourceList;
    } else if (type == QEvent::KeyPress) {
        // The keys are not taken away from the list: its own handling follows.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space && listIndex(m_list) >= 0)
            Q_EMIT viewRequested();
        else if (key == Qt::Key_Delete && m_remove->isEnabled())
            removeSelected();
    }
    return false;
}

bool SourceListPane::dropEvent(QDropEvent* event)
{
    // Folders dragged from the file manager; anything else is not taken.
    if (!event->mimeData()->hasUrls() || event->source()) {
        event->ignore();
        return true;
    }
    event->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        addDropped(event->mimeData()->urls());
    return true;
}

void SourceListPane::addDropped(const QList<QUrl>& urls)
{
    bool added = false;
    for (const QUrl& url : urls) {
        const QString dropped = paths::fromFileUrl(url);
        const auto volume = drives::volumeOf(m.drives().volumes(), dropped);
        std::error_code error;
        if (!volume ||
            !std::filesystem::is_directory(paths::toNative(dropped).toStdString(), error))
            continue;
        // In the form the folder lists give it, so that the duplicate check sees it.
        const QString path = paths::normalized(dropped, volume->mountPoint);
        try {
            added = addFolder(path) || added;
        } catch (const FsError&) {
            m.ShowPathNotFound(path);
        }
    }
    if (added)
        showTotal();
}

void SourceListPane::mouseDown(Qt::MouseButton button, QPoint at)
{
    if (button == Qt::LeftButton) {
        // The press selects the item under the pointer; off the items the selection stays.
        const QListWidgetItem* item = m_list->itemAt(at);
        m_pressOnSelected = item && item->isSelected();
        m_dragStart = item ? m_list->row(item) : listIndex(m_list);
    } else if (button == Qt::RightButton && listIndex(m_list) >= 0) {
        m.activePane = Pane::SourceList;
        Q_EMIT viewRequested();
    }
}

void SourceListPane::mouseUp(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    const int to = listIndex(m_list);
    const int from = m_dragStart;
    if (to == from || from < 0 || to < 0)
        return;
    const QString text = m_list->item(from)->text();
    if (to > from) {
        m_list->insertItem(to + 1, text);
        delete m_list->takeItem(from);
    } else {
        m_list->insertItem(to, text);
        delete m_list->takeItem(from + 1);
    }
    m_list->setCurrentRow(to);
}
