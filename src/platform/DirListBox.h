#pragma once

#include <QListWidget>
#include <QStringList>

class Drives;

// A folder list in the classic style: the folders from the drive root down to the open folder,
// then the open folder's subfolders in name order. Indices follow the open folder: -1 is the
// open folder, 0 and up its subfolders, -2 its parent and so on up to the root.
class DirListBox final : public QListWidget {
    Q_OBJECT

public:
    DirListBox(const Drives& drives, QWidget* parent);

    QString path() const { return m_path; }
    // Mount point of the drive holding the open folder: the innermost volume.
    QString mountPoint() const { return m_mountPoint; }
    // The folder Up opens; empty when the open folder has no parent ("/").
    QString parentFolder() const;
    // Opens a folder; throws FsError when it does not exist or its drive is not ready. Tells a
    // change only when the open folder really changes.
    void setPath(const QString& folder);

    QString list(int index) const;
    int listCount() const { return int(m_subfolders.size()); }
    int listIndex() const;
    void setListIndex(int index);
    // Reads the open folder's subfolders anew; throws FsError when it can no longer be read.
    void refresh();

Q_SIGNALS:
    void changed();
    // An entry was double-clicked: the window decides how to open it.
    void entryActivated(int index);

private:
    void display(const QString& folder, const QString& mountPoint, const QStringList& subfolders);
    int openRow() const { return int(m_ancestors.size()); }

    const Drives& m_drives;
    QString m_path;
    QString m_mountPoint;
    QStringList m_ancestors; // from the drive root down to the open folder's parent
    QStringList m_subfolders;
};
