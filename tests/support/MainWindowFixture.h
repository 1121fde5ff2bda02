#pragma once

#include "Controls.h"
#include "ScriptedPlatform.h"
#include "TestDir.h"
#include "TestDrives.h"

#include "app/AppContext.h"
#include "mainwindow/MainWindow.h"

#include <memory>

// A program on test drives: a fixed system drive "C" in a temporary folder, a scripted desktop,
// and the settings store of test mode, emptied at the start.
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    // Registers a drive: a folder of the temporary tree.
    QString addDrive(const QString& name, bool removable, const QString& label = {});
    // Stores settings as a previous run would have left them.
    void store(const QString& key, const QString& text);
    // AppContext and the main window, started on the settings stored so far.
    MainWindow& start();
    // The stored text of a key, or "<none>".
    static QString stored(const QString& key);
    static QStringList storedKeys();

    TestDir dir;
    QString system; // mount point of the system drive
    ScriptedPlatform* platform = nullptr;
    TestDrives* drives = nullptr;
    std::unique_ptr<AppContext> m;
    std::unique_ptr<MainWindow> window;

private:
    std::unique_ptr<ScriptedPlatform> m_platform;
    std::unique_ptr<TestDrives> m_drives;
};

// Once per test program: test-mode paths for settings and data, and the program's name.
void useTestModePaths();
