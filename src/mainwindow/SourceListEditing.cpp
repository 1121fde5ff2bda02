// The Source List: adding the highlighted source folder, the checks every addition passes,
// removing, clearing and dragging entries into a new order.

#include "MainForm.h"

#include "SourcePane.h"

#include "ListIndex.h"
#include "app/AppContext.h"
#include "app/SizeText.h"
#include "platform/DirListBox.h"
#include "platform/Drives.h"
#include "platform/FileListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

void MainForm::CopyFolder_Click()
{
    const QString path = m_source->highlightedFolder();
    try {
        if (paths::isRoot(path)) {
            const auto answer = m.message(
                m.text(u"Many Files"_s, u"Många Filer"_s),
                m.text(u"This is a root directory.\nAre you sure you want to continue ?"_s,
                       u"Detta är en root folder.\nVill du verkligen forsätta ?"_s),
                Platform::Buttons::YesNo, Platform::Icon::Question);
            if (answer == Platform::Answer::No)
                return;
        }
        if (addSourceFolder(path))
            UpdateSourceListSize();
    } catch (const FsError&) {
        m.ShowPathNotFound(path);
        m_source->reread(path);
    }
    m_source->focusFolders();
}

void MainForm::addDroppedFolders(const QList<QUrl>& urls)
{
    bool added = false;
    for (const QUrl& url : urls) {
        const QString dropped = url.toLocalFile();
        const auto volume = drives::volumeOf(m.drives().volumes(), dropped);
        if (!volume || !QFileInfo(dropped).isDir())
            continue;
        // In the form the folder lists give it, so that the duplicate check sees it.
        const QString path = paths::normalized(dropped, volume->mountPoint);
        try {
            added = addSourceFolder(path) || added;
        } catch (const FsError&) {
            m.ShowPathNotFound(path);
        }
    }
    if (added)
        UpdateSourceListSize();
}

bool MainForm::addSourceFolder(const QString& path)
{
    QString refusal;
    if (m.fileSystem.folderSize(path) == 0) {
        refusal =
            m.text(u" is empty and will not be copied !"_s, u" är tom och kan inte kopieras !"_s);
    } else {
        TempFiles->setPath(path);
        if (TempFiles->listCount() == 0)
            refusal = m.text(u" does not contain any mp3-files and will not be copied !"_s,
                             u" innehåller inga mp3-filer och kan inte kopieras !"_s);
    }
    if (!refusal.isEmpty()) {
        m.message(m.text(u"Empty Folder"_s, u"Tom Folder"_s), path + refusal, Platform::Buttons::Ok,
                  Platform::Icon::Information);
        return false;
    }
    if (!CheckDuplicateFolder(path))
        return false;
    // Measured before the entry goes in, so that a folder gone in the meantime is not listed
    // without its size.
    const qint64 size = m.fileSystem.folderSize(path);
    SourceList->addItem(path);
    m.SourceListSize += double(size);
    return true;
}

void MainForm::SourceList_Click()
{
    RemoveSourceFolder->setEnabled(true);
}

void MainForm::RemoveSourceFolder_Click()
{
    const int idx = listIndex(SourceList);
    if (idx < 0)
        return;
    delete SourceList->takeItem(idx);

    // A listed folder that has vanished is dropped without a word.
    m.SourceListSize = 0;
    for (int i = 0; i < SourceList->count();) {
        try {
            m.SourceListSize += double(m.fileSystem.folderSize(SourceList->item(i)->text()));
            ++i;
        } catch (const FsError&) {
            delete SourceList->takeItem(i);
        }
    }
    TotalSize->setText(FormatWithPrefix(m.SourceListSize, u"B"_s, 103));
    UpdateEstimatedFreeSpace();

    RemoveSourceFolder->setEnabled(false);
    const int count = SourceList->count();
    if (count == 0) {
        Label_ShowFiles->setVisible(false);
        CopyFolders->setEnabled(false);
        ClearSourceList->setEnabled(false);
        Menu_SaveCurrentSourceList->setEnabled(false);
        m_source->focusFolders();
        return;
    }
    // Selecting raises the list's click, which enables the remove button again. The list may
    // have selected a neighbour of the removed item itself, so the selection is made anew.
    SourceList->clearSelection();
    SourceList->setCurrentRow(idx < count ? idx : count - 1);
    SourceList->setFocus();
}

void MainForm::ClearSourceList_Click()
{
    if (!SkipClearConfirmation) {
        const auto answer =
            m.message(m.text(u"Clear Source List"_s, u"Rensa alla filer i listan"_s),
                      m.text(u"Are you sure ?"_s, u"Är du säker ?"_s), Platform::Buttons::YesNo,
                      Platform::Icon::Question);
        if (answer == Platform::Answer::No)
            return;
    }
    SourceList->clear();
    m.SourceListSize = 0;
    TotalSize->clear();
    UpdateEstimatedFreeSpace();
    Label_ShowFiles->setVisible(false);
    RemoveSourceFolder->setEnabled(false);
    ClearSourceList->setEnabled(false);
    Menu_SaveCurrentSourceList->setEnabled(false);
    CopyFolders->setEnabled(false);
    m_source->focusFolders();
}

void MainForm::SourceList_MouseDown(Qt::MouseButton button, QPoint at)
{
    if (button == Qt::LeftButton) {
        // The press selects the item under the pointer; off the items the selection stays.
        const QListWidgetItem* item = SourceList->itemAt(at);
        m_pressOnSelected = item && item->isSelected();
        DragStartIndex = qint16(item ? SourceList->row(item) : listIndex(SourceList));
    } else if (button == Qt::RightButton && listIndex(SourceList) >= 0) {
        m.activePane = Pane::SourceList;
        ShowFileViewer();
    }
}

void MainForm::SourceList_MouseUp(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    const int to = listIndex(SourceList);
    const int from = DragStartIndex;
    if (to == from || from < 0 || to < 0)
        return;
    const QString text = SourceList->item(from)->text();
    if (to > from) {
        SourceList->insertItem(to + 1, text);
        delete SourceList->takeItem(from);
    } else {
        SourceList->insertItem(to, text);
        delete SourceList->takeItem(from + 1);
    }
    SourceList->setCurrentRow(to);
}
