#include "SavedListsDialog.h"

#include "SourceListFile.h"
#include "app/AppContext.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// Twips of the window's design, 15 to the pixel.
constexpr int pixels(int twips)
{
    return twips / 15;
}

} // namespace

SavedListsDialog::SavedListsDialog(AppContext& module, QWidget* parent)
    : QDialog(parent)
    , m(module)
{
    setObjectName(u"ViewSavedFilesForm"_s);

    FileContent = new QListWidget(this);
    FileContent->setObjectName(u"FileContent"_s);
    FileContent->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Label1 = new QLabel(u"ALT+M or Rigth Click on the list for menu"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Button_RecallFile = new QPushButton(u"&Recall"_s, this);
    Button_RecallFile->setObjectName(u"Button_RecallFile"_s);
    Button_Close = new QPushButton(u"&Close"_s, this);
    Button_Close->setObjectName(u"Button_Close"_s);
    // Enter in the list is no decision.
    Button_RecallFile->setAutoDefault(false);
    Button_Close->setAutoDefault(false);
    createMenu();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1, 1);
    bottom->addWidget(Button_RecallFile);
    bottom->addWidget(Button_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(FileContent, 1);
    layout->addLayout(bottom);
    resize(pixels(8850), pixels(6135));

    connect(FileContent, &QListWidget::itemSelectionChanged, this,
            &SavedListsDialog::FileContent_Click);
    connect(Button_RecallFile, &QPushButton::clicked, this,
            &SavedListsDialog::Button_RecallFile_Click);
    connect(Button_Close, &QPushButton::clicked, this, &SavedListsDialog::Button_Close_Click);
    connect(Menu_CopyClipBoard, &QAction::triggered, this,
            &SavedListsDialog::Menu_CopyClipBoard_Click);
    connect(Menu_RenameFile, &QAction::triggered, this, &SavedListsDialog::Menu_RenameFile_Click);
    connect(Menu_DeleteFile, &QAction::triggered, this, &SavedListsDialog::Menu_DeleteFile_Click);
    connect(Menu_RecallFile, &QAction::triggered, this, &SavedListsDialog::Menu_RecallFile_Click);
    connect(Menu_Close, &QAction::triggered, this, &SavedListsDialog::Menu_Close_Click);
    FileContent->installEventFilter(this);
    FileContent->viewport()->installEventFilter(this);

    Form_Load();
}

void SavedListsDialog::createMenu()
{
    Menu_Menu = new QMenu(u"Menu"_s, this);
    Menu_Menu->setObjectName(u"Menu_Menu"_s);
    auto item = [this](const QString& name, const QString& text) {
        QAction* action = Menu_Menu->addAction(text);
        action->setObjectName(name);
        return action;
    };
    auto separator = [this](const QString& name) {
        QAction* action = Menu_Menu->addSeparator();
        action->setObjectName(name);
        return action;
    };
    Menu_CopyClipBoard = item(u"Menu_CopyClipBoard"_s, u"Co&py to Clipboard"_s);
    Menu_CopyClipBoard->setEnabled(false);
    Menu_Sp1 = separator(u"Menu_Sp1"_s);
    Menu_RenameFile = item(u"Menu_RenameFile"_s, u"&Rename File"_s);
    Menu_DeleteFile = item(u"Menu_DeleteFile"_s, u"&Delete File"_s);
    Menu_RecallFile = item(u"Menu_RecallFile"_s, u"&Recall File"_s);
    Menu_Sp2 = separator(u"Menu_Sp2"_s);
    Menu_Close = item(u"Menu_Close"_s, u"Close &Window"_s);
    // Choosing it only closes the menu.
    Menu_Cancel = item(u"Menu_Cancel"_s, u"&Cancel"_s);
}

void SavedListsDialog::Form_Load()
{
    setWindowTitle(m.text(u"Saved Source File List:  "_s, u"Sparad Källfil-lista:  "_s) +
                   paths::folderName(m.savedListPath));
    if (m.swedish) {
        Button_RecallFile->setText(u"&Hämta"_s);
        Button_Close->setText(u"&Stäng"_s);
        Label1->setText(u"ALT+M eller Högerklicka på listan för meny"_s);
        Menu_CopyClipBoard->setText(u"Kopiera till klippbordet"_s);
        Menu_RecallFile->setText(u"Hämta"_s);
        Menu_DeleteFile->setText(u"Radera fil"_s);
        Menu_Close->setText(u"Stäng fönstret"_s);
        Menu_Cancel->setText(u"Avbryt"_s);
    }
    try {
        FileContent->addItems(sourcelistfile::readLines(m.savedListPath));
    } catch (const FsError& error) {
        m.message(u"ERROR"_s,
                  m.text(u"Could not read the file:  "_s, u"Kunde inte läsa filen:  "_s) +
                      m.savedListPath + u'\n' + error.reason(m.swedish),
                  Platform::Buttons::Ok, Platform::Icon::Exclamation);
        m.savedListPath.clear();
        return;
    }
    m_loaded = true;
    if (FileContent->count() == 0)
        Button_RecallFile->setEnabled(false);
}

void SavedListsDialog::FileContent_Click()
{
    Menu_CopyClipBoard->setEnabled(true);
}

void SavedListsDialog::FileContent_MouseDown(Qt::MouseButton button, QPoint at)
{
    if (button == Qt::RightButton)
        Menu_Menu->popup(FileContent->viewport()->mapToGlobal(at));
}

void SavedListsDialog::FileContent_KeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key == Qt::Key_M && shift == Qt::AltModifier)
        Menu_Menu->popup(mapToGlobal(QPoint(pixels(3500), pixels(2000))));
}

void SavedListsDialog::FileContent_KeyPress(QChar typed)
{
    if (typed == QChar(27))
        Button_Close_Click();
}

void SavedListsDialog::Button_RecallFile_Click()
{
    decide(m.savedListPath);
}

void SavedListsDialog::Menu_RecallFile_Click()
{
    decide(m.savedListPath);
}

void SavedListsDialog::Button_Close_Click()
{
    decide({});
}

void SavedListsDialog::Menu_Close_Click()
{
    decide({});
}

void SavedListsDialog::reject()
{
    Button_Close_Click();
}

void SavedListsDialog::Menu_DeleteFile_Click()
{
    decide(u'>' + m.savedListPath);
}

void SavedListsDialog::Menu_RenameFile_Click()
{
    decide(u'<' + m.savedListPath);
}

void SavedListsDialog::Menu_CopyClipBoard_Click()
{
    QString text;
    for (int i = 0; i < FileContent->count(); ++i) {
        if (FileContent->item(i)->isSelected())
            text += FileContent->item(i)->text() + u"\r\n"_s;
    }
    m.platform().setClipboardText(text);
    FileContent->clearSelection();
    Menu_CopyClipBoard->setEnabled(false);
    FileContent->setFocus();
}

void SavedListsDialog::decide(const QString& savedListPath)
{
    m.savedListPath = savedListPath;
    done(Accepted);
}

bool SavedListsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FileContent && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers shift =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        FileContent_KeyDown(key->key(), shift);
        if (key->key() == Qt::Key_Escape) {
            FileContent_KeyPress(QChar(27));
            // The window has closed.
            return true;
        }
    } else if (watched == FileContent->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        FileContent_MouseDown(mouse->button(), mouse->position().toPoint());
        // The right button only opens the menu: the lines selected for copying stay selected.
        if (mouse->button() == Qt::RightButton)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}
