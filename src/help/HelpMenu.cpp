// The Help menu: the help window for the menus or the keyboard shortcuts, and the About window.

#include "AboutDialog.h"
#include "HelpWindow.h"
#include "app/AppContext.h"
#include "mainwindow/MainForm.h"

#include <QAction>
#include <QCoreApplication>

#include <memory>

namespace {

// Shows the window modally over the main window, discards it when it closes and lets the
// events pending meanwhile run.
void showModal(std::unique_ptr<QDialog> window)
{
    window->exec();
    window.reset();
    QCoreApplication::processEvents();
}

} // namespace

void MainForm::connectHelpMenu()
{
    connect(Menu_MenuHelp, &QAction::triggered, this, &MainForm::Menu_MenuHelp_Click);
    connect(Menu_ShortcutsHelp, &QAction::triggered, this, &MainForm::Menu_ShortcutsHelp_Click);
    connect(Menu_About, &QAction::triggered, this, &MainForm::Menu_About_Click);
}

void MainForm::Menu_MenuHelp_Click()
{
    m.helpOnMenus = true;
    showModal(std::make_unique<HelpWindow>(m, DataFolder, this));
}

void MainForm::Menu_ShortcutsHelp_Click()
{
    m.helpOnMenus = false;
    showModal(std::make_unique<HelpWindow>(m, DataFolder, this));
}

void MainForm::Menu_About_Click()
{
    showModal(std::make_unique<AboutDialog>(m, AboutLinks::configured(), this));
}
