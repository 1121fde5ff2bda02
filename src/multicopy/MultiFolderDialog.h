#pragma once

#include <QDialog>

class AppContext;
class SourceListPane;
class SourcePane;
class QLabel;
class QListWidget;
class QPushButton;

// The window that adds several subfolders of the open source folder to the Source List at once.
// It lists them as the main window's source folder list does at the moment it opens; the
// selected ones go in in list order, each through the checks of a single addition.
class MultiFolderDialog final : public QDialog {
    Q_OBJECT

public:
    MultiFolderDialog(AppContext& m, SourcePane& source, SourceListPane& list, QWidget* parent);

public Q_SLOTS:
    void Form_Load();
    void SourceFolderList_Click();
    // Modifiers Shift, Ctrl and Alt only; with any of them held no key acts.
    void SourceFolderList_KeyDown(int key, Qt::KeyboardModifiers shift);
    void Button_Cancel_Click();
    void Button_Transfer_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* SourceFolderList = nullptr;
    QPushButton* Button_Transfer = nullptr;
    QPushButton* Button_Cancel = nullptr;
    QLabel* Label1 = nullptr;

    AppContext& m;
    SourcePane& m_source;
    SourceListPane& m_list;
};
