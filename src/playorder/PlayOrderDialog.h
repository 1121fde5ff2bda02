#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class Platform;
class QLabel;
class QListWidget;
class QPushButton;

// The play order of the folder open in the target pane: its folders, and the files of the
// highlighted one, as the volume stores them, which is how a player plays them; with Sort by Name
// on a FAT-like volume whose folders or files are not in name order.
class PlayOrderDialog final : public QDialog {
    Q_OBJECT

public:
    // fileSystem is the volume's, as the drive table gives it ("vfat", "ext4"). Reads the
    // folder at once; a folder that cannot be read is reported in a message.
    PlayOrderDialog(Platform& platform, bool swedish, const QString& fileSystem,
                    const QString& folder, QWidget* parent);

    // Finishes a sort of the folder, or of one of its subfolders, that was interrupted (stick
    // pulled, program ended), and says so in a message. True when the stick changed.
    static bool finishInterruptedSort(Platform& platform, bool swedish, const QString& folder);

Q_SIGNALS:
    // A sort changed the stick, wholly or in part: the panes showing it are out of date.
    void stickChanged();

public Q_SLOTS:
    // Esc and the title bar close the window, except while a sort runs.
    void reject() override;

private:
    QString text(const QString& english, const QString& swedish) const;
    // Reads the order from the volume and shows it.
    void readBack();
    void showFiles();
    void sortClicked();

    Platform& m_platform;
    bool m_swedish;
    bool m_keepsOrder;
    QString m_folder;
    bool m_sorting = false;
    QList<QStringList> m_files;

    QLabel* m_pathLabel = nullptr;
    QListWidget* m_folderList = nullptr;
    QListWidget* m_fileList = nullptr;
    QLabel* m_stateLabel = nullptr;
    QPushButton* m_sortButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};
