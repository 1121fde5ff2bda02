#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class ActionForm;
class FsError;
class MainForm;
class Module1;

namespace transfer {
class Target;
}

namespace sourcelistfile {
class Writer;
}

// One copy run, from the click on the copy button to the idle window again: the checks and
// questions, then the Source List's folders copied one after the other into the target folder.
class CopyRun final {
public:
    CopyRun(MainForm& window, Module1& m);
    ~CopyRun();
    CopyRun(const CopyRun&) = delete;
    CopyRun& operator=(const CopyRun&) = delete;

    void run();

private:
    struct Plan {
        QString targetPath; // ends in "/"
        int firstPrefixNumber = 0;
        bool fatRules = false; // the target writes names FAT-safe
    };

    std::optional<Plan> check();
    bool askAboutTargetFolders(const Plan& plan);
    void transfer(const Plan& plan);
    bool startLog();
    // Copies the first folder of the Source List not yet copied; false when the run must stop.
    bool copyFolder(const Plan& plan, int position);
    // The folders whose flush has returned leave the Source List and enter the log and the
    // Target List.
    void takeCopied(const Plan& plan);
    // Reports a failure that stops the run: a lost target drive, a full disk, or any other.
    void reportFailure(const FsError& error);
    bool targetReady() const;
    // Lets the window's events through during the copying: often enough to keep it responsive,
    // not so often that drawing it costs more than the copying.
    void letEventsThrough();
    void end();
    // The Source List after the run: its real total, and the buttons as after an edit.
    void showSourceListLeft();
    void restoreIdleWindow();

    MainForm& w;
    Module1& m;
    std::unique_ptr<ActionForm> m_progress;
    std::unique_ptr<transfer::Target> m_target;
    bool m_driveLost = false;
    QElapsedTimer m_sinceEvents;
    // The folder being copied, as the progress bar shows it.
    int m_filesToWrite = 1;
    int m_filesWritten = 0;
    // The folders at the front of the Source List written to the target, waiting for their flush.
    QStringList m_flushing;
    std::unique_ptr<sourcelistfile::Writer> m_log;
    QString m_logFile;
    int m_notFoundCount = 0;
    QString m_notFoundList;
};
