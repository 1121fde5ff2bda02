#pragma once

#include <QDialog>

class AppContext;
class QLabel;
class QListWidget;
class QPushButton;

// The help window: the rows of the menu help or of the keyboard-shortcut help, and below them
// the explanation of the row clicked. It shows the set helpOnMenus names, in the language in
// use when it opens.
class HelpWindow final : public QDialog {
    Q_OBJECT

public:
    // The data folder is named in the explanation of the copy log.
    HelpWindow(AppContext& m, const QString& dataFolder, QWidget* parent);

public Q_SLOTS:
    void Form_Load();
    void List1_Click();
    void List1_KeyDown(int key);
    void Button_OK_KeyDown(int key);
    void Button_OK_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Button_OK = nullptr;

    void showInstruction();

    AppContext& m;
    QString m_dataFolder;
    QStringList m_explanations;
};
