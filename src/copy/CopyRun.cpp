#include "CopyRun.h"

#include "CopyPlan.h"
#include "CopyProgressWindow.h"
#include "Transfer.h"
#include "app/AppContext.h"
#include "app/OptionsMenu.h"
#include "app/SizeText.h"
#include "mainwindow/SourceListPane.h"
#include "mainwindow/SourcePane.h"
#include "mainwindow/TargetPane.h"
#include "platform/FileListBox.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "savedlists/SourceListFile.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>

using namespace Qt::StringLiterals;

namespace {

// Milliseconds between two turns of the window's events while files are copied.
constexpr qint64 EventInterval = 40;

Platform::Answer show(AppContext& m, const copyplan::Message& message, Platform::Buttons buttons,
                      Platform::Icon icon)
{
    return m.message(message.title, message.text, buttons, icon);
}

} // namespace

CopyRun::CopyRun(AppContext& module, QWidget& window, Panes panes, const OptionsMenu& options,
                 FileListBox& files)
    : m(module)
    , m_window(window)
    , p(panes)
    , m_options(options)
    , m_files(files)
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
    const QString highlighted = p.target.highlightedFolder();
    const std::optional<DriveInfo>& drive = p.target.drive();
    Plan plan;
    plan.targetPath = copyplan::targetPath(highlighted);
    bool waiting = false;
    try {
        if (!drive)
            throw FsError(FsErrorKind::DeviceUnavailable, p.target.driveName());
        plan.fatRules = copyplan::followsFatRules(drive->fileSystem());
        if (!drive->isRemovable()) {
            if (show(m, copyplan::fixedDriveWarning(m.swedish), Platform::Buttons::YesNo,
                     Platform::Icon::Question) == Platform::Answer::No)
                return std::nullopt;
        } else {
            const auto confirmation = copyplan::confirmation(p.list.count(), plan.targetPath,
                                                             paths::isRoot(highlighted), m.swedish);
            if (show(m, confirmation, Platform::Buttons::OkCancel, Platform::Icon::Question) ==
                Platform::Answer::Cancel)
                return std::nullopt;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        waiting = true;
        QCoreApplication::processEvents();
        const QStringList targets = p.target.listedFolders();
        if (!targets.isEmpty() && m_options.addsFolderPrefix())
            plan.firstPrefixNumber = copyplan::firstPrefixNumber(targets);
        if (!askAboutTargetFolders(plan)) {
            QApplication::restoreOverrideCursor();
            p.source.focusFolders();
            return std::nullopt;
        }
        return plan;
    } catch (const FsError& error) {
        if (waiting)
            QApplication::restoreOverrideCursor();
        if (error.kind() == FsErrorKind::DeviceUnavailable)
            m.ShowDriveNotReady(p.target.driveName());
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
    const bool prefixOn = m_options.addsFolderPrefix();
    QStringList targetNames;
    for (const QString& target : p.target.listedFolders())
        targetNames.append(paths::folderName(target));
    QStringList earlierSources;
    const QStringList listed = p.list.folders();
    for (int p = 0; p < listed.size(); ++p) {
        const QString source = written(listed[p]);
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
                                        copyplan::twoDigits(plan.firstPrefixNumber + p), m.swedish)
                                  : copyplan::sameNameQuestion(source, m.swedish);
        if (show(m, question, Platform::Buttons::OkCancel, Platform::Icon::Question) ==
            Platform::Answer::Cancel)
            return false;
    }
    return true;
}

void CopyRun::transfer(const Plan& plan)
{
    p.list.startCopying();
    if (!startLog()) {
        restoreIdleWindow();
        return;
    }

    Q_EMIT workingChanged(true);
    m.cancelRequested = false;
    m_progress = std::make_unique<CopyProgressWindow>(m, &m_window);
    m_progress->show();
    QCoreApplication::processEvents();
    try {
        m_target = std::make_unique<transfer::Target>(
            plan.targetPath, p.target.drive()->mountPoint(), plan.fatRules);
    } catch (const FsError& error) {
        reportFailure(error);
        end();
        return;
    }

    const int folderCount = p.list.count();
    bool stopped = false;
    for (int position = 0; position < folderCount; ++position) {
        stopped = !copyFolder(plan, position);
        if (stopped)
            break;
        letEventsThrough();
        if (m.cancelRequested)
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
    m_logFile = sourcelistfile::defaultName(m.dataFolder, QDate::currentDate());
    if (!m_options.usesLogFile())
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
            m_logFile = sourcelistfile::defaultName(m.dataFolder, QDate::currentDate());
            if (m_logFile == taken) {
                show(m, copyplan::logNotCreated(m_logFile, error.reason(m.swedish), m.swedish),
                     Platform::Buttons::Ok, Platform::Icon::Critical);
                return false;
            }
        }
    }
}

bool CopyRun::copyFolder(const Plan& plan, int position)
{
    const QString entry = p.list.folderAt(int(m_flushing.size()));
    m_progress->showFolder(entry, m_window);
    try {
        m_files.setPath(entry);
    } catch (const FsError& error) {
        if (error.kind() != FsErrorKind::PathNotFound) {
            // It is there but cannot be read: the run stops, and the folder stays listed.
            show(m, copyplan::copyError(entry, error.reason(m.swedish), m.swedish),
                 Platform::Buttons::Ok, Platform::Icon::Critical);
            return false;
        }
        // Gone since it was listed: reported at the end; its position still counts.
        ++m_notFoundCount;
        m_notFoundList += u'\n' + entry;
        p.list.removeAt(int(m_flushing.size()));
        return true;
    }
    letEventsThrough();

    const int files = m_files.listCount();
    // A folder emptied since it was listed is made empty, and its bar shown full.
    m_filesToWrite = std::max(files, 1);
    m_filesWritten = files == 0 ? 1 : 0;
    if (!targetReady()) {
        reportFailure(FsError(FsErrorKind::DeviceUnavailable, m_target->path()));
        return false;
    }
    QString name =
        copyplan::targetFolderName(entry, m_options.addsFolderPrefix(),
                                   plan.firstPrefixNumber + position, m.drives().volumes());
    if (m_target->fatRules())
        name = copyplan::fatSafeName(name);
    try {
        transfer::Steps steps;
        steps.afterFile = [this](int j) {
            m_filesWritten = j + 1;
            letEventsThrough();
            return !m.cancelRequested;
        };
        steps.betweenChunks = [this] {
            letEventsThrough();
        };
        m_target->copyFolder(entry, name, m_files.files(), steps);
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
        p.target.addListed(plan.targetPath + name);
        p.list.removeAt(0);
    }
}

void CopyRun::reportFailure(const FsError& error)
{
    // A stick pulled in the middle of a file answers with I/O errors before it is unmounted.
    if (error.kind() == FsErrorKind::DeviceUnavailable || !targetReady()) {
        m_driveLost = true;
        m.ShowDriveNotReady(p.target.driveName());
    } else if (error.kind() == FsErrorKind::DiskFull) {
        show(m, copyplan::diskFull(p.target.driveName(), m.swedish), Platform::Buttons::Ok,
             Platform::Icon::Critical);
    } else {
        show(m, copyplan::copyError(error.path(), error.reason(m.swedish), m.swedish),
             Platform::Buttons::Ok, Platform::Icon::Critical);
    }
}

void CopyRun::letEventsThrough()
{
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < EventInterval)
        return;
    // The bar draws itself at once when it changes, so it moves only here.
    p.list.showProgress(m_filesWritten, m_filesToWrite);
    QCoreApplication::processEvents();
    m_sinceEvents.start();
}

bool CopyRun::targetReady() const
{
    try {
        return p.target.drive() && p.target.drive()->isReady();
    } catch (const FsError&) {
        return false;
    }
}

void CopyRun::end()
{
    m_target.reset();
    m_progress.reset();
    Q_EMIT workingChanged(false);
    p.list.endCopying();
    if (m.cancelRequested)
        show(m, copyplan::canceled(m.swedish), Platform::Buttons::Ok, Platform::Icon::None);

    const QString totalSize = p.list.totalText();
    p.list.remeasure();
    p.target.followCopyRun(m_driveLost);
    if (m_log) {
        try {
            m_log->finish(p.target.mp3CountText(), totalSize);
        } catch (const FsError& error) {
            show(m, copyplan::logNotWritten(m_logFile, error.reason(m.swedish), m.swedish),
                 Platform::Buttons::Ok, Platform::Icon::Exclamation);
        }
        m_log.reset();
    }
    QApplication::restoreOverrideCursor();

    p.list.followList();
    if (m_notFoundCount > 0)
        show(m, copyplan::notFoundReport(m_notFoundCount, m_notFoundList, m.swedish),
             Platform::Buttons::Ok, Platform::Icon::None);
    p.source.refreshFolders();
}

void CopyRun::restoreIdleWindow()
{
    p.list.endCopying();
    QApplication::restoreOverrideCursor();
    p.source.focusFolders();
}
