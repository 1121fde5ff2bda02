#pragma once

#include <QWidget>

class AppContext;
class QCloseEvent;
class QLabel;
class QPushButton;

// The small window beside the main window while a copy run or a delete run works: it names the
// folder in hand and, in a copy run, offers the Cancel button. It stays above the main window
// without being modal. The run ends it by destroying it; a close from the title bar or a call
// of close() acts as the Cancel button and leaves the window open.
class CopyProgressWindow final : public QWidget {
    Q_OBJECT

public:
    CopyProgressWindow(AppContext& m, QWidget* mainWindow);

    // Places the window over the main window and sets the texts of the language in use.
    void Form_Load();
    // Asks the run to stop; the button cannot be clicked a second time.
    void Button_CancelCopy_Click();
    // Turns the window into the one of a delete run: another caption and no Cancel button.
    void setDeleting();
    // Names the folder in hand, fits the window to the name and centres it over the main
    // window.
    void showFolder(const QString& folder, const QWidget& mainWindow);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* Button_CancelCopy = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    AppContext& m;
    QWidget* m_mainWindow;
};
