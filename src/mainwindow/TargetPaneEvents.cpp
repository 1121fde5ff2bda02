// The keyboard and mouse of the target pane's two lists.

#include "TargetPane.h"

#include "FolderBrowser.h"
#include "app/AppContext.h"
#include "platform/DirListBox.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

bool TargetPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_count) {
        // The window is on screen: the count held back at start runs when this drawing is done.
        if (event->type() == QEvent::Paint && m_countWaiting)
            QTimer::singleShot(0, this, [this] {
                if (m_countWaiting)
                    countMp3Files();
            });
        return false;
    }
    for (const bool folders : {true, false}) {
        QListWidget* pane = folders ? static_cast<QListWidget*>(m_folders) : m_list;
        if (watched == pane->viewport()) {
            const QEvent::Type type = event->type();
            if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
                type != QEvent::MouseButtonRelease)
                return false;
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (type != QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
                pane->setFocus(Qt::MouseFocusReason);
            return mouseEvent(folders, mouse);
        }
        if (watched != pane)
            continue;
        if (event->type() == QEvent::FocusIn) {
            // The focus coming back from the pop-up menu, before its item acts, is not the user
            // entering the pane: the menu may have been opened on another one.
            if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                m.activePane = folders ? Pane::TargetFolders : Pane::TargetList;
        } else if (event->type() == QEvent::KeyPress) {
            // The keys are not taken away from the pane: its own handling follows. Except Space
            // on the folder list: there it is a type-ahead search, which matches the indentation
            // of the entries and would move the highlight the pop-up menu and viewer act on.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (folders) {
                folderKeyDown(key->key());
                if (!key->text().isEmpty() && key->text().front() == u'\r')
                    m_browser->open(highlightedFolder());
            } else {
                listKeyDown(key->key());
            }
            return key->key() == Qt::Key_Space && folders;
        }
        return false;
    }
    return QObject::eventFilter(watched, event);
}

bool TargetPane::mouseEvent(bool folders, QMouseEvent* event)
{
    // The right button acts on the entry already highlighted: the list neither moves its
    // highlight nor takes the focus for it, so it never sees that button.
    const Qt::MouseButton button = event->button();
    if (event->type() == QEvent::MouseButtonRelease || button != Qt::RightButton)
        return button == Qt::RightButton;
    if (folders) {
        m.activePane = Pane::TargetFolders;
        Q_EMIT menuRequested();
    } else if (selectedRow() >= 0) {
        m.activePane = Pane::TargetList;
        Q_EMIT viewRequested();
    }
    return true;
}

void TargetPane::folderKeyDown(int key)
{
    if (key == Qt::Key_Space && m_folders->listIndex() >= 0)
        Q_EMIT viewRequested();
    else if (key == Qt::Key_Left)
        upOneLevel();
    else if (key == Qt::Key_Right)
        m_browser->open(highlightedFolder());
}

void TargetPane::listKeyDown(int key)
{
    if (key == Qt::Key_Space && selectedRow() >= 0)
        Q_EMIT viewRequested();
    else if (key == Qt::Key_Delete && m_remove->isEnabled())
        Q_EMIT removeRequested();
}
