#pragma once

#include <QDialog>

class AppContext;
class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;

// The lines of the Source List file savedListPath names. The window changes no file itself: it
// hands the user's decision back through savedListPath and closes. The path unchanged means
// recall, "" no decision, ">" and the path delete, "<" and the path rename.
class SavedListsDialog final : public QDialog {
    Q_OBJECT

public:
    // Reads the file. One that cannot be read is reported in a message and leaves the window
    // unloaded, with no decision.
    SavedListsDialog(AppContext& m, QWidget* parent);
    SavedListsDialog(const SavedListsDialog&) = delete;
    SavedListsDialog& operator=(const SavedListsDialog&) = delete;

    bool loaded() const { return m_loaded; }

public Q_SLOTS:
    void Form_Load();
    void FileContent_Click();
    void FileContent_MouseDown(Qt::MouseButton button, QPoint at);
    void FileContent_KeyDown(int key, Qt::KeyboardModifiers shift);
    void FileContent_KeyPress(QChar typed);
    void Button_RecallFile_Click();
    void Button_Close_Click();
    void Menu_CopyClipBoard_Click();
    void Menu_RenameFile_Click();
    void Menu_DeleteFile_Click();
    void Menu_RecallFile_Click();
    void Menu_Close_Click();
    // Esc and the title bar's close button act as Close.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* FileContent = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button_RecallFile = nullptr;
    QPushButton* Button_Close = nullptr;

    // The pop-up menu of the list (right click, Alt+M).
    QMenu* Menu_Menu = nullptr;
    QAction* Menu_CopyClipBoard = nullptr;
    QAction* Menu_Sp1 = nullptr;
    QAction* Menu_RenameFile = nullptr;
    QAction* Menu_DeleteFile = nullptr;
    QAction* Menu_RecallFile = nullptr;
    QAction* Menu_Sp2 = nullptr;
    QAction* Menu_Close = nullptr;
    QAction* Menu_Cancel = nullptr;

    void createMenu();
    // Hands the decision back and closes the window.
    void decide(const QString& savedListPath);

    AppContext& m;
    bool m_loaded = false;
};
