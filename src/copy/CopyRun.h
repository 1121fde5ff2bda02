#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class AppContext;
class CopyProgressWindow;
class FileListBox;
class FsError;
class OptionsMenu;
class QWidget;
class SourceListPane;
class SourcePane;
class TargetPane;

namespace transfer {
class Target;
}

namespace sourcelistfile {
class Writer;
}

// One copy run, from the click on the copy button to the idle window again: the checks and
// questions, then the Source List's folders copied one after the other into the target folder.
class CopyRun final : public QObject {
    Q_OBJECT

public:
    // The panes the run reads and follows.
    struct Panes {
        SourcePane& source;
        SourceListPane& list;
        TargetPane& target;
    };
    // files lists the mp3 files of the folder in hand; window is the main window.
    CopyRun(AppContext& m, QWidget& window, Panes panes, const OptionsMenu& options,
            FileListBox& files);
    ~CopyRun() override;

    void run();

Q_SIGNALS:
    // While the run copies, the window takes no input and cannot be closed.
    void workingChanged(bool working);

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
    void restoreIdleWindow();

    AppContext& m;
    QWidget& m_window;
    Panes p;
    const OptionsMenu& m_options;
    FileListBox& m_files;
    std::unique_ptr<CopyProgressWindow> m_progress;
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
