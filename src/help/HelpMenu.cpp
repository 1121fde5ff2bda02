#include "HelpMenu.h"

#include "AboutDialog.h"
#include "HelpWindow.h"
#include "app/AppContext.h"

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

HelpMenu::HelpMenu(AppContext& app, QWidget& mainWindow, QAction& menuHelp, QAction& shortcutsHelp,
                   QAction& about)
    : QObject(&mainWindow)
    , m(app)
    , m_mainWindow(mainWindow)
{
    connect(&menuHelp, &QAction::triggered, this, &HelpMenu::showMenuHelp);
    connect(&shortcutsHelp, &QAction::triggered, this, &HelpMenu::showShortcutsHelp);
    connect(&about, &QAction::triggered, this, &HelpMenu::showAbout);
}

void HelpMenu::showMenuHelp()
{
    m.helpOnMenus = true;
    showModal(std::make_unique<HelpWindow>(m, m.dataFolder, &m_mainWindow));
}

void HelpMenu::showShortcutsHelp()
{
    m.helpOnMenus = false;
    showModal(std::make_unique<HelpWindow>(m, m.dataFolder, &m_mainWindow));
}

void HelpMenu::showAbout()
{
    showModal(std::make_unique<AboutDialog>(m, AboutLinks::configured(), &m_mainWindow));
}
