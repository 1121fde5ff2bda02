// Start-up and shutdown of the main window.

#include "MainForm.h"

#include "BuildInfo.h"
#include "app/Module1.h"
#include "app/VersionText.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FsError.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QPushButton>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

void MainForm::Form_Load()
{
    m.AppVersion =
        versionText(buildinfo::versionMajor, buildinfo::versionMinor, buildinfo::versionPatch);
    StartFolder = QDir::currentPath();
    if (!StartFolder.endsWith(u'/'))
        StartFolder += u'/';
    createDataFolder();

    QString targetPath;
    readSettings(targetPath);

    openSourceAtStart();
    openTargetAtStart(targetPath);

    // A drive list tells no change for the drive it starts on, so the target drive is taken
    // here when the target is on the drive of the current folder.
    if (drives::startMountPoint(m.drives(), StartFolder) == TargetDriveList->mountPoint()) {
        try {
            m.TargetDrive = m.FileSystem.drive(TargetDriveList->mountPoint());
        } catch (const FsError&) {
            // The free-space update below reports the drive.
        }
        UpdateEstimatedFreeSpace();
    }

    m.VersionDate = u"Dec 2024"_s;
    setWindowTitle(u"Ordrane, v"_s + m.AppVersion + u" - "_s + m.VersionDate + u" / QV"_s);
    if (m.Swedish)
        setSwedishTexts();
    setPaneToolTips();
    CopyFolders->setEnabled(false);
    DragStartIndex = -1;
}

void MainForm::createDataFolder()
{
    DataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(DataFolder).toStdString(), error);
    if (!error)
        return;
    // The program runs on without it; whatever would be written there says so when it fails.
    m.message(u"Error"_s,
              m.text(u"Ordrane cannot create its data folder:  "_s,
                     u"Ordrane kan inte skapa sin datafolder:  "_s) +
                  DataFolder + u'\n' + QString::fromLocal8Bit(error.message()),
              Platform::Buttons::Ok, Platform::Icon::Exclamation);
}

void MainForm::readSettings(QString& targetPath)
{
    SettingsStore& store = m.settings();
    const QString systemRoot = drives::rootOf(m.drives().systemMountPoint());
    SourcePath = store.value(u"SourcePath"_s, systemRoot);
    targetPath = store.value(u"TargetPath"_s, systemRoot);
    m.Swedish = SettingsStore::isOn(store.value(u"Swedish"_s, u"0"_s));
    DefaultSourcePath = store.value(u"DefaultSourcePath"_s, QString());

    const bool hasDefault = !DefaultSourcePath.isEmpty();
    Menu_SaveCurrentLocationasDefaultPath->setEnabled(hasDefault);
    Menu_GotoDefaultPath->setEnabled(hasDefault);
    GoHome->setEnabled(hasDefault);
    Menu_UseDefaultSourcePath->setChecked(hasDefault);

    Menu_DisableToolTipsOnPanes->setChecked(
        SettingsStore::isOn(store.value(u"DisableToolTipsOnPanes"_s, u"0"_s)));
    ToolTipsOff = Menu_DisableToolTipsOnPanes->isChecked();
    Menu_AddFolderPrefix->setChecked(
        SettingsStore::isOn(store.value(u"AddFolderPrefix"_s, u"0"_s)));
    Menu_UseLogFile->setChecked(SettingsStore::isOn(store.value(u"UseLogFile"_s, u"0"_s)));
    m.PlayerPath = store.value(u"Player"_s, QString());
    Menu_Player->setChecked(!m.PlayerPath.isEmpty());
}

void MainForm::openSourceAtStart()
{
    const QString path = Menu_UseDefaultSourcePath->isChecked() ? DefaultSourcePath : SourcePath;
    try {
        SourceDriveList->setDrive(m.FileSystem.driveName(path));
    } catch (const FsError&) {
        // The drive is gone or has no medium: the system drive, silently.
        try {
            SourceDriveList->setDrive(m.drives().systemMountPoint());
            SourceFolderList->setPath(drives::rootOf(m.drives().systemMountPoint()));
        } catch (const FsError&) {
        }
        if (Menu_UseDefaultSourcePath->isChecked())
            Menu_UseDefaultSourcePath_Click();
        return;
    }
    try {
        SourceFolderList->setPath(path);
    } catch (const FsError&) {
        // The folder pane stays where the drive change put it.
        if (Menu_UseDefaultSourcePath->isChecked()) {
            Menu_UseDefaultSourcePath_Click();
            DefaultPathLost = true;
        }
    }
}

void MainForm::openTargetAtStart(const QString& targetPath)
{
    try {
        TargetDriveList->setDrive(m.FileSystem.driveName(targetPath));
    } catch (const FsError&) {
        try {
            TargetDriveList->setDrive(m.drives().systemMountPoint());
            TargetFolderList->setPath(drives::rootOf(m.drives().systemMountPoint()));
        } catch (const FsError&) {
        }
        return;
    }
    try {
        TargetFolderList->setPath(targetPath);
    } catch (const FsError&) {
        // The folder pane stays where the drive change put it.
    }
}

void MainForm::Form_Activate()
{
    if (m_activated)
        return;
    m_activated = true;
    SourceFolderList->setFocus();
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

void MainForm::Form_QueryUnload(bool& cancel)
{
    if (!Menu_UseDefaultSourcePath->isChecked() || !DefaultSourcePath.isEmpty())
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

void MainForm::Form_Unload()
{
    SettingsStore& store = m.settings();
    store.setValue(u"SourcePath"_s, SourceFolderList->path());
    store.setValue(u"TargetPath"_s, TargetFolderList->path());
    if (m.SettingChanged[Module1::SwedishSetting])
        store.setValue(u"Swedish"_s, SettingsStore::onOff(m.Swedish));
    if (m.SettingChanged[Module1::DisableToolTipsSetting])
        store.setValue(u"DisableToolTipsOnPanes"_s,
                       SettingsStore::onOff(Menu_DisableToolTipsOnPanes->isChecked()));
    if (m.SettingChanged[Module1::DefaultSourcePathSetting])
        store.setValue(u"DefaultSourcePath"_s, DefaultSourcePath);
    if (m.SettingChanged[Module1::AddFolderPrefixSetting])
        store.setValue(u"AddFolderPrefix"_s,
                       SettingsStore::onOff(Menu_AddFolderPrefix->isChecked()));
    if (m.SettingChanged[Module1::UseLogFileSetting])
        store.setValue(u"UseLogFile"_s, SettingsStore::onOff(Menu_UseLogFile->isChecked()));
    if (m.SettingChanged[Module1::PlayerSetting])
        store.setValue(u"Player"_s, Menu_Player->isChecked() ? m.PlayerPath : QString());
    store.flush();
    m_unloaded = true;
    QCoreApplication::quit();
}
