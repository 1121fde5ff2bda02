#pragma once

#include <QListWidget>
#include <QStringList>

// The files of one folder that match a pattern, in name order.
class FileListBox final : public QListWidget {
    Q_OBJECT

public:
    explicit FileListBox(QWidget* parent);

    QString path() const { return m_path; }
    // Lists the files of a folder; throws FsError when it cannot be read.
    void setPath(const QString& folder);
    QString pattern() const { return m_pattern; }
    void setPattern(const QString& pattern);

    int listCount() const { return int(m_files.size()); }
    const QStringList& files() const { return m_files; }
    QString list(int index) const;
    int listIndex() const { return currentRow(); }
    void setListIndex(int index) { setCurrentRow(index); }
    void refresh();

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*");
    QStringList m_files;
};
