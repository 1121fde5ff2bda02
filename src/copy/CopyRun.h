#pragma once

#include <QString>

#include <memory>
#include <optional>

class ActionForm;
class MainForm;
class Module1;

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
    };

    std::optional<Plan> check();
    bool askAboutTargetFolders(int firstPrefixNumber);
    void transfer(const Plan& plan);
    bool startLog();
    // Copies the folder at the front of the Source List; false when the run must stop.
    bool copyFolder(const Plan& plan, int position);
    void end();
    void restoreIdleWindow();

    MainForm& w;
    Module1& m;
    std::unique_ptr<ActionForm> m_progress;
    std::unique_ptr<sourcelistfile::Writer> m_log;
    QString m_logFile;
    int m_notFoundCount = 0;
    QString m_notFoundList;
};
