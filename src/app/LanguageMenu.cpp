// The language items of the Options menu. The choice takes effect at once for messages and for
// windows opened afterwards; the main window's own texts follow at the next start.

#include "AppContext.h"
#include "mainwindow/MainForm.h"

#include <QAction>

using namespace Qt::StringLiterals;

void MainForm::connectLanguageMenu()
{
    connectOption(Menu_English, &MainForm::Menu_English_Click);
    connectOption(Menu_Swedish, &MainForm::Menu_Swedish_Click);
}

void MainForm::Menu_English_Click()
{
    if (Menu_English->isChecked())
        return;
    Menu_English->setChecked(true);
    Menu_Swedish->setChecked(false);
    m.message(u"Change of language"_s,
              u"For the change to English to work the program must be restarted !"_s,
              Platform::Buttons::Ok, Platform::Icon::Information);
    m.swedish = false;
    m.settingChanged(AppContext::Setting::Swedish);
}

void MainForm::Menu_Swedish_Click()
{
    if (Menu_Swedish->isChecked())
        return;
    Menu_Swedish->setChecked(true);
    Menu_English->setChecked(false);
    m.message(u"Språkändring"_s,
              u"För att ändringen till svenska ska fungera måste programmet startas om !"_s,
              Platform::Buttons::Ok, Platform::Icon::Information);
    m.swedish = true;
    m.settingChanged(AppContext::Setting::Swedish);
}
