#include "FileListBox.h"

#include "Folders.h"

FileListBox::FileListBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FileListBox::setPath(const QString& folder)
{
    m_files = folders::files(folder, m_pattern);
    m_path = folder;
    clear();
    addItems(m_files);
}

void FileListBox::setPattern(const QString& pattern)
{
    m_pattern = pattern;
    if (!m_path.isEmpty())
        refresh();
}

QString FileListBox::list(int index) const
{
    return index >= 0 && index < m_files.size() ? m_files[index] : QString();
}

void FileListBox::refresh()
{
    setPath(m_path);
}
