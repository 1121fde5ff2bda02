#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>
#include <optional>

class CopyProgressWindow;
class FsError;
class MainForm;
class AppContext;

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
    CopyRun(MainForm& window, AppContext& m);
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
    // Copies the folder at the front of the Source List; false when the run must stop.
    bool copyFolder(const Plan& plan, int position);
    // Reports a failure that stops the run: a lost target drive, a full disk, or any other.
    void reportFailure(const FsError& error);
    bool targetReady() const;
    // Lets the window's events through during the copying: often enough to keep it responsive,
    // not so often that drawing it costs more than the copying.
    void letEventsThrough();
    void end();
    void restoreIdleWindow();

    MainForm& w;
    AppContext& m;
    std::unique_ptr<CopyProgressWindow> m_progress;
    std::unique_ptr<transfer::Target> m_target;
    bool m_driveLost = false;
    QElapsedTimer m_sinceEvents;
    // The folder being copied, as the progress bar shows it.
    int m_filesToWrite = 1;
    int m_filesWritten = 0;
    std::unique_ptr<sourcelistfile::Writer> m_log;
    QString m_logFile;
    int m_notFoundCount = 0;
    QString m_notFoundList;
};
