// The Options menu: the default source folder with going home, the panes' tool tips, folder
// prefixes and the copy log.

#include "OptionsMenu.h"

#include "AppContext.h"
#include "MenuOption.h"
#include "mainwindow/SourcePane.h"
#include "platform/FsError.h"
#include "platform/SettingsStore.h"

#include <QAction>

using namespace Qt::StringLiterals;

OptionsMenu::OptionsMenu(AppContext& app, SourcePane& source, const Items& items, QObject* parent)
    : QObject(parent)
    , m(app)
    , m_source(source)
    , m_items(items)
{
    connectOption(m_items.useDefaultSourcePath, this, [this] { switchDefaultSourcePath(); });
    connect(&m_items.saveCurrentLocation, &QAction::triggered, this,
            &OptionsMenu::saveCurrentLocation);
    connect(&m_items.gotoDefaultPath, &QAction::triggered, this, &OptionsMenu::goHome);
    connectOption(m_items.disableToolTips, this, [this] { switchToolTips(); });
    connectOption(m_items.addFolderPrefix, this, [this] { switchFolderPrefix(); });
    connectOption(m_items.useLogFile, this, [this] { switchLogFile(); });
    connect(&source, &SourcePane::homeRequested, this, &OptionsMenu::goHome);
}

void OptionsMenu::readSettings(const SettingsStore& store)
{
    m_defaultSourcePath = store.value(u"DefaultSourcePath"_s, QString());
    const bool hasDefault = !m_defaultSourcePath.isEmpty();
    m_items.saveCurrentLocation.setEnabled(hasDefault);
    m_items.gotoDefaultPath.setEnabled(hasDefault);
    m_source.setHomeEnabled(hasDefault);
    m_items.useDefaultSourcePath.setChecked(hasDefault);

    m_items.disableToolTips.setChecked(
        SettingsStore::isOn(store.value(u"DisableToolTipsOnPanes"_s, u"0"_s)));
    m_toolTipsOff = m_items.disableToolTips.isChecked();
    m_items.addFolderPrefix.setChecked(
        SettingsStore::isOn(store.value(u"AddFolderPrefix"_s, u"0"_s)));
    m_items.useLogFile.setChecked(SettingsStore::isOn(store.value(u"UseLogFile"_s, u"0"_s)));
}

void OptionsMenu::writeSettings(SettingsStore& store) const
{
    if (m.hasChanged(AppContext::Setting::DisableToolTips))
        store.setValue(u"DisableToolTipsOnPanes"_s,
                       SettingsStore::onOff(m_items.disableToolTips.isChecked()));
    if (m.hasChanged(AppContext::Setting::DefaultSourcePath))
        store.setValue(u"DefaultSourcePath"_s, m_defaultSourcePath);
    if (m.hasChanged(AppContext::Setting::AddFolderPrefix))
        store.setValue(u"AddFolderPrefix"_s,
                       SettingsStore::onOff(m_items.addFolderPrefix.isChecked()));
    if (m.hasChanged(AppContext::Setting::UseLogFile))
        store.setValue(u"UseLogFile"_s, SettingsStore::onOff(m_items.useLogFile.isChecked()));
}

bool OptionsMenu::addsFolderPrefix() const
{
    return m_items.addFolderPrefix.isChecked();
}

bool OptionsMenu::usesLogFile() const
{
    return m_items.useLogFile.isChecked();
}

bool OptionsMenu::usesDefaultSourcePath() const
{
    return m_items.useDefaultSourcePath.isChecked();
}

void OptionsMenu::switchDefaultSourcePath()
{
    if (!m_items.useDefaultSourcePath.isChecked()) {
        m_items.useDefaultSourcePath.setChecked(true);
        m_items.saveCurrentLocation.setEnabled(true);
        const auto answer =
            m.message(m.text(u"Default Path"_s, u"Standard sökväg"_s),
                      m.text(u"Do you want to save the current path as default ?"_s,
                             u"Vill du spara nuvarande sökväg som Standard sökväg ?"_s),
                      Platform::Buttons::YesNo, Platform::Icon::Question);
        if (answer == Platform::Answer::Yes)
            saveCurrentLocation();
        if (m_defaultSourcePath.isEmpty()) {
            m.settingChanged(AppContext::Setting::DefaultSourcePath);
            return;
        }
        try {
            m_source.goTo(m_defaultSourcePath);
        } catch (const FsError&) {
            // It was saved from the open folder a moment ago; the pane shows it already.
        }
        m_items.gotoDefaultPath.setEnabled(true);
        m_source.setHomeEnabled(true);
    } else {
        m_defaultSourcePath.clear();
        m_items.useDefaultSourcePath.setChecked(false);
        m_items.saveCurrentLocation.setEnabled(false);
        m_items.gotoDefaultPath.setEnabled(false);
        m_source.setHomeEnabled(false);
    }
    m.settingChanged(AppContext::Setting::DefaultSourcePath);
}

void OptionsMenu::saveCurrentLocation()
{
    m_defaultSourcePath = m_source.folder();
    m_items.gotoDefaultPath.setEnabled(true);
    m_source.setHomeEnabled(true);
    m.message(m.text(u"Default Path"_s, u"Standard Sökväg"_s),
              m.text(u"Default path saved."_s, u"Standard sökväg sparad."_s), Platform::Buttons::Ok,
              Platform::Icon::Information);
    m.settingChanged(AppContext::Setting::DefaultSourcePath);
}

void OptionsMenu::goHome()
{
    try {
        m_source.goTo(m_defaultSourcePath);
        m_source.focusFolders();
    } catch (const FsError&) {
        m.ShowPathNotFound(m_defaultSourcePath);
        switchDefaultSourcePath();
    }
}

void OptionsMenu::switchToolTips()
{
    m_toolTipsOff = !m_items.disableToolTips.isChecked();
    m_items.disableToolTips.setChecked(m_toolTipsOff);
    Q_EMIT toolTipsSwitched();
    m.settingChanged(AppContext::Setting::DisableToolTips);
}

void OptionsMenu::switchFolderPrefix()
{
    m_items.addFolderPrefix.setChecked(!m_items.addFolderPrefix.isChecked());
    m.settingChanged(AppContext::Setting::AddFolderPrefix);
}

void OptionsMenu::switchLogFile()
{
    m_items.useLogFile.setChecked(!m_items.useLogFile.isChecked());
    m.settingChanged(AppContext::Setting::UseLogFile);
}
