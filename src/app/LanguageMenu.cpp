#include "LanguageMenu.h"

#include "AppContext.h"
#include "MenuOption.h"

using namespace Qt::StringLiterals;

LanguageMenu::LanguageMenu(AppContext& app, QAction& english, QAction& swedish, QObject* parent)
    : QObject(parent)
    , m(app)
    , m_english(english)
    , m_swedish(swedish)
{
    connectOption(m_english, this, [this] { chooseEnglish(); });
    connectOption(m_swedish, this, [this] { chooseSwedish(); });
}

void LanguageMenu::chooseEnglish()
{
    if (m_english.isChecked())
        return;
    m_english.setChecked(true);
    m_swedish.setChecked(false);
    m.message(u"Change of language"_s,
              u"For the change to English to work the program must be restarted !"_s,
              Platform::Buttons::Ok, Platform::Icon::Information);
    m.swedish = false;
    m.settingChanged(AppContext::Setting::Swedish);
}

void LanguageMenu::chooseSwedish()
{
    if (m_swedish.isChecked())
        return;
    m_swedish.setChecked(true);
    m_english.setChecked(false);
    m.message(u"Språkändring"_s,
              u"För att ändringen till svenska ska fungera måste programmet startas om !"_s,
              Platform::Buttons::Ok, Platform::Icon::Information);
    m.swedish = true;
    m.settingChanged(AppContext::Setting::Swedish);
}
