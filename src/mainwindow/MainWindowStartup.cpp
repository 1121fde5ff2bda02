// Start-up and shutdown of the main window.

#include "MainWindow.h"

#include "SourcePane.h"
#include "TargetPane.h"
#include "app/OptionsMenu.h"

#include "BuildInfo.h"
#include "app/AppContext.h"
#include "app/VersionText.h"
#include "platform/FsError.h"
#include "platform/Paths.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

void MainWindow::Form_Load()
{
    m.appVersion =
        versionText(buildinfo::versionMajor, buildinfo::versionMinor, buildinfo::versionPatch);
    StartFolder = QDir::currentPath();
    if (!StartFolder.endsWith(u'/'))
        StartFolder += u'/';

    QString targetPath;
    readSettings(targetPath);
    // After the settings, so that a failure is told in the stored language.
    createDataFolder();
    // Before the panes open: the target's count then stays, in either language.
    if (m.swedish)
        setSwedishTexts();

    // Opening a folder makes its drive the pane's drive, the target drive included.
    openSourceAtStart();
    m_target->openAtStart(targetPath);

    m.versionDate = u"Dec 2024"_s;
    setWindowTitle(u"Ordrane, v"_s + m.appVersion + u" - "_s + m.versionDate + u" / QV"_s);
    setPaneToolTips();
}

void MainWindow::createDataFolder()
{
    m.dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    std::error_code error;
    std::filesystem::create_directories(paths::toNative(m.dataFolder).toStdString(), error);
    if (!error)
        return;
    // The program runs on without it; whatever would be written there says so when it fails.
    m.message(u"Error"_s,
              m.text(u"Ordrane cannot create its data folder:  "_s,
                     u"Ordrane kan inte skapa sin datafolder:  "_s) +
                  m.dataFolder + u'\n' + QString::fromLocal8Bit(error.message()),
              Platform::Buttons::Ok, Platform::Icon::Exclamation);
}

void MainWindow::readSettings(QString& targetPath)
{
    SettingsStore& store = m.settings();
    // First run: the source on the user's music, the target on the first removable drive.
    const QString home = QDir::homePath();
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    SourcePath = store.value(u"SourcePath"_s, QFileInfo(music).isDir() ? music : home);
    const QList<Volume> volumes = m.drives().volumes();
    const auto removable =
        std::find_if(volumes.cbegin(), volumes.cend(), [](const Volume& v) { return v.removable; });
    targetPath =
        store.value(u"TargetPath"_s, removable == volumes.cend() ? home : removable->mountPoint);
    m.swedish = SettingsStore::isOn(store.value(u"Swedish"_s, u"0"_s));
    m_options->readSettings(store);
    m.playerPath = store.value(u"Player"_s, QString());
    Menu_Player->setChecked(!m.playerPath.isEmpty());
}

void MainWindow::openSourceAtStart()
{
    const bool useDefault = m_options->usesDefaultSourcePath();
    const FolderBrowser::StartPlace place =
        m_source->openAtStart(useDefault ? m_options->defaultSourcePath() : SourcePath);
    if (!useDefault || place == FolderBrowser::StartPlace::Folder)
        return;
    // A default folder that is gone switches the option off; only a gone folder on a drive
    // that is there is reported.
    m_options->switchDefaultSourcePath();
    DefaultPathLost = place == FolderBrowser::StartPlace::Above;
}

void MainWindow::Form_Activate()
{
    if (m_activated)
        return;
    m_activated = true;
    m_source->focusFolders();
    QCoreApplication::processEvents();
    if (DefaultPathLost) {
        m.message(u"Error"_s,
                  m.text(u"Default Source Path doesn't exist.\nUse Default Source Path has "
                         u"been disabled."_s,
                         u"Standard sökväg för Källdisk existerar inte.\nAnvänd Standard sökväg "
                         u"för Källdisk inaktiverad."_s),
                  Platform::Buttons::Ok, Platform::Icon::None);
        DefaultPathLost = false;
    }
}

void MainWindow::Form_QueryUnload(bool& cancel)
{
    if (!m_options->usesDefaultSourcePath() || !m_options->defaultSourcePath().isEmpty())
        return;
    const auto answer = m.message(
        m.text(u"Path Error"_s, u"Sökvägs fel"_s),
        m.text(u"Default Source path has not been defined.\nDo you want to continue and end "
               u"the application ?"_s,
               u"Standard Källdisk sökväg är inte definerad.\nVill du forsätta och avsluta "
               u"programmet ?"_s),
        Platform::Buttons::YesNo, Platform::Icon::Critical);
    if (answer == Platform::Answer::No)
        cancel = true;
}

void MainWindow::Form_Unload()
{
    SettingsStore& store = m.settings();
    store.setValue(u"SourcePath"_s, m_source->folder());
    store.setValue(u"TargetPath"_s, m_target->folder());
    if (m.hasChanged(AppContext::Setting::Swedish))
        store.setValue(u"Swedish"_s, SettingsStore::onOff(m.swedish));
    m_options->writeSettings(store);
    if (m.hasChanged(AppContext::Setting::Player))
        store.setValue(u"Player"_s, Menu_Player->isChecked() ? m.playerPath : QString());
    store.flush();
    m_unloaded = true;
    QCoreApplication::quit();
}
