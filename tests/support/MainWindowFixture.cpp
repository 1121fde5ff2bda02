#include "MainWindowFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

QSettings rawStore()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Ordrane"_s, u"Ordrane"_s);
}

} // namespace

void useTestModePaths()
{
    QCoreApplication::setApplicationName(u"Ordrane"_s);
    QStandardPaths::setTestModeEnabled(true);
}

MainWindowFixture::MainWindowFixture()
{
    rawStore().clear();
    m_platform = std::make_unique<ScriptedPlatform>();
    m_drives = std::make_unique<TestDrives>();
    platform = m_platform.get();
    drives = m_drives.get();
    system = dir.mkdir(u"C"_s);
    drives->addSystem(system);
}

MainWindowFixture::~MainWindowFixture()
{
    window.reset();
    m.reset();
    rawStore().clear();
}

QString MainWindowFixture::addDrive(const QString& name, bool removable, const QString& label)
{
    const QString mountPoint = dir.mkdir(name);
    drives->add(mountPoint, removable, label);
    return mountPoint;
}

void MainWindowFixture::store(const QString& key, const QString& text)
{
    rawStore().setValue(u"Settings/"_s + key, text);
}

MainWindow& MainWindowFixture::start()
{
    m = std::make_unique<AppContext>(std::move(m_platform), std::move(m_drives));
    window = std::make_unique<MainWindow>(*m);
    return *window;
}

QString MainWindowFixture::stored(const QString& key)
{
    return rawStore().value(u"Settings/"_s + key, u"<none>"_s).toString();
}

QStringList MainWindowFixture::storedKeys()
{
    QSettings s = rawStore();
    s.beginGroup(u"Settings"_s);
    return s.childKeys();
}
