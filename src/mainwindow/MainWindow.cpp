#include "MainWindow.h"

#include "NamedControls.h"
#include "SourceListPane.h"
#include "SourcePane.h"
#include "TargetPane.h"

#include "app/AppContext.h"
#include "app/LanguageMenu.h"
#include "app/OptionsMenu.h"
#include "copy/CopyRun.h"
#include "help/HelpMenu.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FileListBox.h"
#include "resources/Pictures.h"
#include "savedlists/SavedLists.h"
#include "viewer/PlayerChoice.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QFrame* line(const QString& name, QWidget* parent)
{
    auto* frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::HLine);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

} // namespace

MainWindow::MainWindow(AppContext& module, QWidget* parent)
    : QMainWindow(parent)
    , m(module)
{
    setObjectName(u"MainForm"_s);
    QApplication::setWindowIcon(applicationIcon());
    createMenus();
    new LanguageMenu(m, *Menu_English, *Menu_Swedish, this);
    new HelpMenu(m, *this, *Menu_MenuHelp, *Menu_ShortcutsHelp, *Menu_About);
    new PlayerChoice(m, *Menu_Player, *this);
    createControls();
    new SavedLists(m, *m_source, *m_list, *this, *Menu_ShowSavedSourceList,
                   *Menu_SaveCurrentSourceList);
    m_options = new OptionsMenu(m, *m_source,
                                {*Menu_UseDefaultSourcePath, *Menu_SaveCurrentLocationasDefaultPath,
                                 *Menu_GotoDefaultPath, *Menu_DisableToolTipsOnPanes,
                                 *Menu_AddFolderPrefix, *Menu_UseLogFile},
                                this);
    connect(m_options, &OptionsMenu::toolTipsSwitched, this, &MainWindow::setPaneToolTips);
    connectPanes();
    setEnglishTexts();
    resize(1000, 760);
    Form_Load();
}

MainWindow::~MainWindow() = default;

void MainWindow::createMenus()
{
    auto action = [this](QMenu* menu, const QString& name, bool checkable = false) {
        auto* a = named(menu->addAction(QString()), name);
        a->setCheckable(checkable);
        return a;
    };

    Menu_File = named(menuBar()->addMenu(QString()), u"Menu_File"_s);
    Menu_ShowSavedSourceList = action(Menu_File, u"Menu_ShowSavedSourceList"_s);
    Menu_SaveCurrentSourceList = action(Menu_File, u"Menu_SaveCurrentSourceList"_s);
    Menu_SaveCurrentSourceList->setEnabled(false);
    Menu_PlayOrder = action(Menu_File, u"Menu_PlayOrder"_s);
    Menu_File->addSeparator();
    Menu_Exit = action(Menu_File, u"Menu_Exit"_s);

    Menu_Options = named(menuBar()->addMenu(QString()), u"Menu_Options"_s);
    Menu_English = action(Menu_Options, u"Menu_English"_s, true);
    Menu_English->setChecked(true);
    Menu_Swedish = action(Menu_Options, u"Menu_Swedish"_s, true);
    Menu_Options->addSeparator();
    Menu_DisableToolTipsOnPanes = action(Menu_Options, u"Menu_DisableToolTipsOnPanes"_s, true);
    Menu_Options->addSeparator();
    Menu_UseDefaultSourcePath = action(Menu_Options, u"Menu_UseDefaultSourcePath"_s, true);
    Menu_SaveCurrentLocationasDefaultPath =
        action(Menu_Options, u"Menu_SaveCurrentLocationasDefaultPath"_s);
    Menu_GotoDefaultPath = action(Menu_Options, u"Menu_GotoDefaultPath"_s);
    Menu_Options->addSeparator();
    Menu_AddFolderPrefix = action(Menu_Options, u"Menu_AddFolderPrefix"_s, true);
    Menu_UseLogFile = action(Menu_Options, u"Menu_UseLogFile"_s, true);
    Menu_Player = action(Menu_Options, u"Menu_Player"_s, true);

    Menu_Help = named(menuBar()->addMenu(QString()), u"Menu_Help"_s);
    Menu_MenuHelp = action(Menu_Help, u"Menu_MenuHelp"_s);
    Menu_ShortcutsHelp = action(Menu_Help, u"Menu_ShortcutsHelp"_s);
    Menu_Help->addSeparator();
    Menu_About = action(Menu_Help, u"Menu_About"_s);

    Menu_Hidden = named(new QMenu(u"HiddenMenu"_s, this), u"Menu_Hidden"_s);
    Menu_OpenPlay = action(Menu_Hidden, u"Menu_OpenPlay"_s);
    Menu_OpenExplorer = action(Menu_Hidden, u"Menu_OpenExplorer"_s);

    connect(Menu_PlayOrder, &QAction::triggered, this, &MainWindow::Menu_PlayOrder_Click);
    connect(Menu_Exit, &QAction::triggered, this, &MainWindow::Menu_Exit_Click);
}

void MainWindow::createControls()
{
    auto* central = named(new QWidget(this), u"Central"_s);
    setCentralWidget(central);

    m_source = new SourcePane(m, *central);
    m_list = new SourceListPane(m, *central);

    m_target = new TargetPane(m, *central, [this] { return m_list->totalBytes(); });
    // The drive lists' refresh buttons come after the target pane's buttons in the Tab order.
    QWidget::setTabOrder(central->findChild<QPushButton*>(u"ClearTargetDrive"_s),
                         central->findChild<QPushButton*>(u"RefreshDriveLists_0"_s));

    FilesToCopy = named(new FileListBox(central), u"FilesToCopy"_s);
    FilesToCopy->setPattern(u"*.mp3"_s);
    FilesToCopy->hide();
    Line1 = line(u"Line1"_s, central);
    Line2 = line(u"Line2"_s, central);

    // Source side: drive and folders on the left, the Source List on the right.
    auto* source = new QHBoxLayout;
    source->addLayout(m_source->createFoldersLayout(), 2);
    source->addLayout(m_source->createAddButtonsLayout());
    source->addLayout(m_list->createListLayout(), 3);

    // Target side, laid out the same way.
    auto* target = new QHBoxLayout;
    target->addLayout(m_target->createFoldersLayout(), 2);
    target->addSpacing(m_source->addButtonsWidth() + source->spacing());
    target->addLayout(m_target->createListLayout(), 3);

    auto* window = new QVBoxLayout(central);
    window->addLayout(source, 1);
    window->addWidget(Line1);
    window->addLayout(m_list->createCopyRow());
    window->addWidget(Line2);
    window->addLayout(target, 1);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Some desktops never activate a window that has just been shown; the first showing counts
    // as the first activation there.
    QTimer::singleShot(0, this, &MainWindow::Form_Activate);
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void MainWindow::setWorking(bool working)
{
    CopyRunning = working;
    centralWidget()->setEnabled(!working);
    menuBar()->setEnabled(!working);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (CopyRunning) {
        event->ignore();
        return;
    }
    if (m_unloaded) {
        event->accept();
        return;
    }
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void MainWindow::CopyFolders_Click()
{
    CopyRun run(m, *this, {*m_source, *m_list, *m_target}, *m_options, *FilesToCopy);
    connect(&run, &CopyRun::workingChanged, this, &MainWindow::setWorking);
    run.run();
}

void MainWindow::Menu_Exit_Click()
{
    close();
}
