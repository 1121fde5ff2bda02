#include "CopyRun.h"

#include "ActionForm.h"
#include "CopyPlan.h"
#include "Transfer.h"
#include "app/Module1.h"
#include "app/SizeText.h"
#include "mainwindow/MainForm.h"
#include "platform/DirListBox.h"
#include "platform/DriveListBox.h"
#include "platform/FileListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "savedlists/SourceListFile.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Milliseconds between two turns of the window's events while files are copied.
constexpr qint64 EventInterval = 40;

Platform::Answer show(Module1& m, const copyplan::Message& message, Platform::Buttons buttons,
                      Platform::Icon icon)
{
    return m.message(message.title, message.text, buttons, icon);
}

} // namespace

CopyRun::CopyRun(MainForm& window, Module1& module)
    : w(window)
    , m(module)
{
}

CopyRun::~CopyRun() = default;

void CopyRun::run()
{
    const std::optional<Plan> plan = check();
    if (plan)
        transfer(*plan);
}

std::optional<CopyRun::Plan> CopyRun::check()
{
    const QString highlighted = w.TargetFolderList->list(w.TargetFolderList->listIndex());
    Plan plan;
    plan.targetPath = copyplan::targetPath(highlighted);
    bool waiting = false;
    try {
        if (!m.TargetDrive)
            throw FsError(FsErrorKind::DeviceUnavailable, w.TargetDriveList->drive());
        plan.fatRules = copyplan::followsFatRules(m.TargetDrive->fileSystem());
        if (!m.TargetDrive->isRemovable()) {
            if (show(m, copyplan::fixedDriveWarning(m.Swedish), Platform::Buttons::YesNo,
                     Platform::Icon::Question) == Platform::Answer::No)
                return std::nullopt;
        } else {
            const auto confirmation = copyplan::confirmation(w.SourceList->count(), plan.targetPath,
                                                             paths::isRoot(highlighted), m.Swedish);
            if (show(m, confirmation, Platform::Buttons::OkCancel, Platform::Icon::Question) ==
                Platform::Answer::Cancel)
                return std::nullopt;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        waiting = true;
        QCoreApplication::processEvents();
        if (w.TargetList->count() > 0 && w.Menu_AddFolderPrefix->isChecked()) {
            QStringList targets;
            for (int i = 0; i < w.TargetList->count(); ++i)
                targets.append(w.TargetList->item(i)->text());
            plan.firstPrefixNumber = copyplan::firstPrefixNumber(targets);
        }
        if (!askAboutTargetFolders(plan)) {
            QApplication::restoreOverrideCursor();
            w.SourceFolderList->setFocus();
            return std::nullopt;
        }
        return plan;
    } catch (const FsError& error) {
        if (waiting)
            QApplication::restoreOverrideCursor();
        if (error.kind() == FsErrorKind::DeviceUnavailable)
            m.ShowDriveNotReady(w.TargetDriveList->drive());
        return std::nullopt;
    }
}

bool CopyRun::askAboutTargetFolders(const Plan& plan)
{
    // Names compare as the target writes them: FAT-safe and without regard to case on FAT.
    const auto written = [&](const QString& path) {
        const QString name = copyplan::sourceFolderName(path, m.drives().volumes());
        return plan.fatRules ? copyplan::fatSafeName(name) : name;
    };
    const Qt::CaseSensitivity cs = plan.fatRules ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const bool prefixOn = w.Menu_AddFolderPrefix->isChecked();
    QStringList targetNames;
    for (int i = 0; i < w.TargetList->count(); ++i)
        targetNames.append(paths::folderName(w.TargetList->item(i)->text()));
    QStringList earlierSources;
    for (int p = 0; p < w.SourceList->count(); ++p) {
        const QString source = written(w.SourceList->item(p)->text());
        const int match = copyplan::firstMatch(source, targetNames, prefixOn, cs);
        // Without the prefix, two listed folders of one name would end up in one folder.
        const bool listedTwice =
            !prefixOn && copyplan::firstMatch(source, earlierSources, false, cs) >= 0;
        earlierSources.append(source);
        if (match < 0 && !listedTwice)
            continue;
        const auto question = prefixOn
                                  ? copyplan::similarNameQuestion(
                                        source, targetNames[match],
                                        copyplan::twoDigits(plan.firstPrefixNumber + p), m.Swedish)
                                  : copyplan::sameNameQuestion(source, m.Swedish);
        if (show(m, question, Platform::Buttons::OkCancel, Platform::Icon::Question) ==
            Platform::Answer::Cancel)
            return false;
    }
    return true;
}

void CopyRun::transfer(const Plan& plan)
{
    w.CopyFolders->hide();
    QCoreApplication::processEvents();
    w.ProgressBar1->show();
    if (!startLog()) {
        restoreIdleWindow();
        return;
    }

    w.setWorking(true);
    m.CancelRequested = false;
    m_progress = std::make_unique<ActionForm>(m, &w);
    m_progress->show();
    QCoreApplication::processEvents();
    try {
        m_target = std::make_unique<transfer::Target>(plan.targetPath, m.TargetDrive->mountPoint(),
                                                      plan.fatRules);
    } catch (const FsError& error) {
        reportFailure(error);
        end();
        return;
    }

    const int folderCount = w.SourceList->count();
    bool stopped = false;
    for (int position = 0; position < folderCount; ++position) {
        stopped = !copyFolder(plan, position);
        if (stopped)
            break;
        letEventsThrough();
        if (m.CancelRequested)
            break;
    }
    // The run ends when the last folder is on the medium; a failure already reported is not
    // reported again.
    try {
        m_target->finish();
        takeCopied(plan);
    } catch (const FsError& error) {
        if (!stopped)
            reportFailure(error);
    }
    end();
}

bool CopyRun::startLog()
{
    m_logFile = sourcelistfile::defaultName(w.DataFolder, QDate::currentDate());
    if (!w.Menu_UseLogFile->isChecked())
        return true;
    // The name is taken now, so that nothing saved during the run can take it.
    for (;;) {
        m_log = std::make_unique<sourcelistfile::Writer>(
            m_logFile, sourcelistfile::Writer::Creation::Exclusive);
        try {
            m_log->open();
            return true;
        } catch (const FsError& error) {
            m_log.reset();
            const QString taken = m_logFile;
            m_logFile = sourcelistfile::defaultName(w.DataFolder, QDate::currentDate());
            if (m_logFile == taken) {
                show(m, copyplan::logNotCreated(m_logFile, error.reason(m.Swedish), m.Swedish),
                     Platform::Buttons::Ok, Platform::Icon::Critical);
                return false;
            }
        }
    }
}

bool CopyRun::copyFolder(const Plan& plan, int position)
{
    const QString entry = w.SourceList->item(int(m_flushing.size()))->text();
    m_progress->Label1->setText(entry);
    m_progress->FitProgressWindow(w);
    try {
        w.FilesToCopy->setPath(entry);
    } catch (const FsError& error) {
        if (error.kind() != FsErrorKind::PathNotFound) {
            // It is there but cannot be read: the run stops, and the folder stays listed.
            show(m, copyplan::copyError(entry, error.reason(m.Swedish), m.Swedish),
                 Platform::Buttons::Ok, Platform::Icon::Critical);
            return false;
        }
        // Gone since it was listed: reported at the end; its position still counts.
        ++m_notFoundCount;
        m_notFoundList += u'\n' + entry;
        delete w.SourceList->takeItem(int(m_flushing.size()));
        return true;
    }
    letEventsThrough();

    const int files = w.FilesToCopy->listCount();
    // A folder emptied since it was listed is made empty, and its bar shown full.
    m_filesToWrite = std::max(files, 1);
    m_filesWritten = files == 0 ? 1 : 0;
    if (!targetReady()) {
        reportFailure(FsError(FsErrorKind::DeviceUnavailable, m_target->path()));
        return false;
    }
    QString name =
        copyplan::targetFolderName(entry, w.Menu_AddFolderPrefix->isChecked(),
                                   plan.firstPrefixNumber + position, m.drives().volumes());
    if (m_target->fatRules())
        name = copyplan::fatSafeName(name);
    try {
        transfer::Steps steps;
        steps.afterFile = [this](int j) {
            m_filesWritten = j + 1;
            letEventsThrough();
            return !m.CancelRequested;
        };
        steps.betweenChunks = [this] {
            letEventsThrough();
        };
        m_target->copyFolder(entry, name, w.FilesToCopy->files(), steps);
        m_flushing.append(entry);
        takeCopied(plan);
    } catch (const FsError& error) {
        // The folder stays in the Source List; what was copied of it stays on the target.
        takeCopied(plan);
        reportFailure(error);
        return false;
    }
    return true;
}

void CopyRun::takeCopied(const Plan& plan)
{
    for (const QString& name : m_target->takeCopied()) {
        const QString entry = m_flushing.takeFirst();
        if (m_log)
            m_log->addEntry(entry);
        w.TargetList->addItem(plan.targetPath + name);
        delete w.SourceList->takeItem(0);
    }
}

void CopyRun::reportFailure(const FsError& error)
{
    // A stick pulled in the middle of a file answers with I/O errors before it is unmounted.
    if (error.kind() == FsErrorKind::DeviceUnavailable || !targetReady()) {
        m_driveLost = true;
        m.ShowDriveNotReady(w.TargetDriveList->drive());
    } else if (error.kind() == FsErrorKind::DiskFull) {
        show(m, copyplan::diskFull(w.TargetDriveList->drive(), m.Swedish), Platform::Buttons::Ok,
             Platform::Icon::Critical);
    } else {
        show(m, copyplan::copyError(error.path(), error.reason(m.Swedish), m.Swedish),
             Platform::Buttons::Ok, Platform::Icon::Critical);
    }
}

void CopyRun::letEventsThrough()
{
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < EventInterval)
        return;
    // The bar draws itself at once when it changes, so it moves only here.
    w.ProgressBar1->setMaximum(m_filesToWrite);
    w.ProgressBar1->setValue(m_filesWritten);
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

bool CopyRun::targetReady() const
{
    try {
        return m.TargetDrive && m.TargetDrive->isReady();
    } catch (const FsError&) {
        return false;
    }
}

void CopyRun::end()
{
    m_target.reset();
    m_progress.reset();
    w.setWorking(false);
    w.ProgressBar1->hide();
    w.CopyFolders->show();
    if (m.CancelRequested)
        show(m, copyplan::canceled(m.Swedish), Platform::Buttons::Ok, Platform::Icon::None);

    const QString totalSize = w.TotalSize->text();
    showSourceListLeft();
    if (m_driveLost) {
        // The pane leaves the lost drive, as any use of a drive that is gone does.
        try {
            w.TargetDriveList->setDrive(m.drives().systemMountPoint());
        } catch (const FsError&) {
        }
    }
    try {
        w.TargetFolderList->refresh();
    } catch (const FsError&) {
        // The Target List is rebuilt from what the folder list still shows.
    }
    w.FillTargetList();
    w.UpdateEstimatedFreeSpace();
    if (m_log) {
        try {
            m_log->finish(w.Label_NumberOfFiles[1]->text(), totalSize);
        } catch (const FsError& error) {
            show(m, copyplan::logNotWritten(m_logFile, error.reason(m.Swedish), m.Swedish),
                 Platform::Buttons::Ok, Platform::Icon::Exclamation);
        }
        m_log.reset();
    }
    QApplication::restoreOverrideCursor();

    const bool left = w.SourceList->count() > 0;
    w.Menu_SaveCurrentSourceList->setEnabled(left);
    w.ClearSourceList->setEnabled(left);
    w.Label_ShowFiles->setVisible(left);
    if (!left)
        w.CopyFolders->setEnabled(false);
    w.RemoveSourceFolder->setEnabled(false);
    if (m_notFoundCount > 0)
        show(m, copyplan::notFoundReport(m_notFoundCount, m_notFoundList, m.Swedish),
             Platform::Buttons::Ok, Platform::Icon::None);
    w.RefreshSourceLists_Click();
}

void CopyRun::showSourceListLeft()
{
    m.SourceListSize = 0;
    for (int i = 0; i < w.SourceList->count(); ++i) {
        try {
            m.SourceListSize += double(m.FileSystem.folderSize(w.SourceList->item(i)->text()));
        } catch (const FsError&) {
            // A folder gone meanwhile is reported by the next run.
        }
    }
    if (w.SourceList->count() > 0)
        w.TotalSize->setText(FormatWithPrefix(m.SourceListSize, u"B"_s, 103));
    else
        w.TotalSize->clear();
}

void CopyRun::restoreIdleWindow()
{
    w.ProgressBar1->hide();
    w.CopyFolders->show();
    QApplication::restoreOverrideCursor();
    w.SourceFolderList->setFocus();
}
