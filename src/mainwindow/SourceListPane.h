#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

class AppContext;
class FileListBox;
class QDropEvent;
class QLabel;
class QLayout;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

// The Source List: the folders to copy in their order, their total size, the buttons that
// remove and clear, and the copy button with the copy run's progress bar. The pane owns the
// list's total; the copy button is on only while the list has folders and fits on the target.
class SourceListPane final : public QObject {
    Q_OBJECT

public:
    // Creates the controls on parent.
    SourceListPane(AppContext& app, QWidget& parent);

    // The total, the list and its buttons; the row of the copy button and the progress bar.
    QLayout* createListLayout();
    QLayout* createCopyRow();
    void setTexts(bool swedish);
    void setPaneToolTip(const QString& text);

    int count() const;
    QStringList folders() const;
    QString folderAt(int row) const;
    // The selected entry; "" when none is.
    QString highlightedFolder() const;
    double totalBytes() const;
    // The total as the pane shows it.
    QString totalText() const;

    // True when the folder may go into the list: it is not there yet, or the user wants it
    // twice.
    bool checkDuplicate(const QString& path);
    // Appends a folder after the checks of every addition: an empty folder and one without mp3
    // files directly inside are refused with a message, one already listed goes in again only
    // when the user says so. The total grows by the folder's size; showTotal() shows it. True
    // when the folder went in; throws FsError when it cannot be read.
    bool addFolder(const QString& path);
    // Appends a folder already measured and checked.
    void addMeasured(const QString& path, qint64 bytes);
    // Shows the total; the buttons and the saving of the list follow.
    void showTotal();
    void removeSelected();
    // Empties the list; the caller has asked.
    void clear();
    // Whether the list fits on the target: the copy button follows.
    void setFits(bool fits);

    // The copy run: the progress bar in place of the copy button, the folder copied leaving
    // the list, and afterwards the real total of what is left and the buttons as after an edit.
    void startCopying();
    void showProgress(int written, int total);
    void removeAt(int row);
    void endCopying();
    void remeasure();
    void followList();

Q_SIGNALS:
    void totalChanged();
    void savingPossible(bool possible);
    void copyRequested();
    void clearRequested();
    // Space or the right button on a selected entry: the file viewer.
    void viewRequested();
    // The last folder was removed.
    void emptied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dropEvent(QDropEvent* event);
    // Folders dropped onto the list go in, in their order, as Insert puts one in.
    void addDropped(const QList<QUrl>& urls);
    void mouseDown(Qt::MouseButton button, QPoint at);
    void mouseUp(Qt::MouseButton button);

    AppContext& m;
    QListWidget* m_list;
    QPushButton* m_remove;
    QPushButton* m_clear;
    QLabel* m_totalCaption;
    QLabel* m_total;
    QLabel* m_showFiles;
    QPushButton* m_copy;
    QProgressBar* m_progress;
    FileListBox* m_mp3Files; // the mp3 files directly in a folder being added
    double m_totalBytes = 0;
    int m_dragStart = -1;
    bool m_pressOnSelected = false; // the left button went down on a selected entry
};
