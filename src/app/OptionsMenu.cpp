// The Options menu: the default source folder with going home, the panes' tool tips, folder
// prefixes and the copy log.

#include "AppContext.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SourcePane.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"

#include <QAction>
#include <QPushButton>

using namespace Qt::StringLiterals;

void MainForm::Menu_UseDefaultSourcePath_Click()
{
    if (!Menu_UseDefaultSourcePath->isChecked()) {
        Menu_UseDefaultSourcePath->setChecked(true);
        Menu_SaveCurrentLocationasDefaultPath->setEnabled(true);
        const auto answer =
            m.message(m.text(u"Default Path"_s, u"Standard sökväg"_s),
                      m.text(u"Do you want to save the current path as default ?"_s,
                             u"Vill du spara nuvarande sökväg som Standard sökväg ?"_s),
                      Platform::Buttons::YesNo, Platform::Icon::Question);
        if (answer == Platform::Answer::Yes)
            Menu_SaveCurrentLocationasDefaultPath_Click();
        if (DefaultSourcePath.isEmpty()) {
            m.settingChanged(AppContext::Setting::DefaultSourcePath);
            return;
        }
        try {
            m_source->goTo(DefaultSourcePath);
        } catch (const FsError&) {
            // It was saved from the open folder a moment ago; the pane shows it already.
        }
        Menu_GotoDefaultPath->setEnabled(true);
        m_source->setHomeEnabled(true);
    } else {
        DefaultSourcePath.clear();
        Menu_UseDefaultSourcePath->setChecked(false);
        Menu_SaveCurrentLocationasDefaultPath->setEnabled(false);
        Menu_GotoDefaultPath->setEnabled(false);
        m_source->setHomeEnabled(false);
    }
    m.settingChanged(AppContext::Setting::DefaultSourcePath);
}

void MainForm::Menu_SaveCurrentLocationasDefaultPath_Click()
{
    DefaultSourcePath = m_source->folder();
    Menu_GotoDefaultPath->setEnabled(true);
    m_source->setHomeEnabled(true);
    m.message(m.text(u"Default Path"_s, u"Standard Sökväg"_s),
              m.text(u"Default path saved."_s, u"Standard sökväg sparad."_s), Platform::Buttons::Ok,
              Platform::Icon::Information);
    m.settingChanged(AppContext::Setting::DefaultSourcePath);
}

void MainForm::Menu_GotoDefaultPath_Click()
{
    GoHome_Click();
}

void MainForm::GoHome_Click()
{
    try {
        m_source->goTo(DefaultSourcePath);
        m_source->focusFolders();
    } catch (const FsError&) {
        m.ShowPathNotFound(DefaultSourcePath);
        Menu_UseDefaultSourcePath_Click();
    }
}

void MainForm::Menu_DisableToolTipsOnPanes_Click()
{
    ToolTipsOff = !Menu_DisableToolTipsOnPanes->isChecked();
    Menu_DisableToolTipsOnPanes->setChecked(ToolTipsOff);
    setPaneToolTips();
    m.settingChanged(AppContext::Setting::DisableToolTips);
}

void MainForm::Menu_AddFolderPrefix_Click()
{
    Menu_AddFolderPrefix->setChecked(!Menu_AddFolderPrefix->isChecked());
    m.settingChanged(AppContext::Setting::AddFolderPrefix);
}

void MainForm::Menu_UseLogFile_Click()
{
    Menu_UseLogFile->setChecked(!Menu_UseLogFile->isChecked());
    m.settingChanged(AppContext::Setting::UseLogFile);
}
