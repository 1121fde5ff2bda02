// Measures Ordrane's copying, counting, sizing, Source List and start-up against the system's
// own tools and a bare Qt window. Prints one line per figure: "name: ours_s peer_s ratio", each
// the median of several runs. Start-up and peak memory are measured in child processes: the
// bench runs itself again with a hidden option.

#include "BenchTools.h"

#include "app/AppContext.h"
#include "copy/Transfer.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/Mp3Count.h"
#include "mainwindow/SourceListPane.h"
#include "mainwindow/SourcePane.h"
#include "platform/DirListBox.h"
#include "platform/FileSystem.h"
#include "platform/Folders.h"
#include "platform/FsError.h"
#include "platform/Paths.h"
#include "platform/SystemDrives.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using namespace bench;

// The environment variable through which a child process gets the moment it was started.
constexpr char StartedVariable[] = "ORDRANE_BENCH_STARTED_NS";

// A desktop that answers every question with Yes and shows nothing.
class SilentPlatform final : public Platform {
public:
    Answer message(const QString&, const QString&, Buttons, Icon) override { return Answer::Yes; }
    std::optional<QString> openFileName(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileDialog&) override { return std::nullopt; }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override
    {
        return std::nullopt;
    }
    void setClipboardText(const QString&) override {}
    bool startProgram(const QString&, const QStringList&) override { return false; }
    bool openUrl(const QUrl&) override { return false; }
};

// cp -r of the albums into a new folder, then sync: the data is on the medium at the end, as it
// is when a copy run ends.
double peerCopy(const QString& work, const QStringList& albums)
{
    QString sources;
    for (const QString& album : albums)
        sources += quoted(album) + u' ';
    const QString target = work + u"/peer"_s;
    QDir().mkpath(target);
    const double s =
        seconds([&] { runShell(u"cp -r "_s + sources + quoted(target) + u" && sync"_s); });
    QDir(target).removeRecursively();
    runShell(u"sync"_s);
    return s;
}

// The albums through the copy code: one target folder opened, every album copied into it.
void benchCopy(const char* name, const QString& work, const QStringList& albums, int runs)
{
    std::vector<double> ours;
    std::vector<double> peer;
    for (int r = 0; r < runs; ++r) {
        const QString target = work + u"/ours"_s;
        QDir().mkpath(target);
        ours.push_back(seconds([&] {
            transfer::Target into(target, target, false);
            for (const QString& album : albums)
                into.copyFolder(album, paths::folderName(album), folders::files(album, u"*.mp3"_s));
            into.finish();
        }));
        QDir(target).removeRecursively();
        runShell(u"sync"_s);
        peer.push_back(peerCopy(work, albums));
    }
    report(name, ours, peer);
}

// The program's main window as the program builds and shows it, with a desktop that answers
// every question with Yes, handed to use. The only code here that knows the window's classes;
// everything else finds its controls by their object names.
void withMainWindow(const std::function<void(QWidget&)>& use)
{
    AppContext m(std::make_unique<SilentPlatform>(), std::make_unique<SystemDrives>());
    MainWindow w(m);
    w.show();
    use(w);
}

// The folders the window opens with: the albums' folder and the target.
void rememberFolders(const QString& sourcePath, const QString& target)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Ordrane"_s, u"Ordrane"_s);
    settings.setValue(u"Settings/SourcePath"_s, sourcePath);
    settings.setValue(u"Settings/TargetPath"_s, target);
}

// The albums through the main window: from the copy button, whose questions are answered at
// once, until the window takes input again.
double copyThroughWindow(const QStringList& albums)
{
    double s = 0;
    withMainWindow([&](QWidget& window) {
        auto* sourceList = window.findChild<QListWidget*>(u"SourceList"_s);
        auto* copyButton = window.findChild<QPushButton*>(u"CopyFolders"_s);
        if (!sourceList || !copyButton)
            qFatal("the main window has no SourceList or CopyFolders");
        for (const QString& album : albums)
            sourceList->addItem(album);
        QCoreApplication::processEvents();
        copyButton->setEnabled(true);
        s = seconds([&] { copyButton->click(); });
        if (sourceList->count() != 0)
            qFatal("the copy run through the window did not copy every album");
    });
    return s;
}

// Runs the bench again with the hidden option; returns what the child printed.
QByteArray runChild(const QStringList& arguments)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(StartedVariable), QString::number(monotonicNs()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        qFatal("the child process %s failed", qPrintable(arguments.join(u' ')));
    return child.readAllStandardOutput().trimmed();
}

void benchCopyWindow(const QString& work, const QStringList& albums, int runs)
{
    std::vector<double> ours;
    std::vector<double> peer;
    const QString target = work + u"/window"_s;
    rememberFolders(paths::cutAfterLastSlash(albums.first()), target);
    for (int r = 0; r < runs; ++r) {
        QDir().mkpath(target);
        ours.push_back(copyThroughWindow(albums));
        QDir(target).removeRecursively();
        runShell(u"sync"_s);
        peer.push_back(peerCopy(work, albums));
    }
    report("copy_window", ours, peer);

    // Once more in a child process, whose peak memory is the run's alone.
    QDir().mkpath(target);
    const QByteArray peakKib = runChild({u"--child"_s, u"copy_window"_s, albums.join(u'\n')});
    QDir(target).removeRecursively();
    runShell(u"sync"_s);
    std::printf("copy_window_peak_memory: %.1f MB\n", peakKib.toDouble() / 1024);
    std::fflush(stdout);
}

// From the start of a child process to its main window shown: ours against a bare Qt Widgets
// window, alternating.
void benchStartup(const QString& sourcePath, const QString& target, int runs)
{
    rememberFolders(sourcePath, target);
    QDir().mkpath(target);
    const auto started = [](const QString& which) {
        const QByteArray out = runChild({u"--child"_s, which});
        bool ok = false;
        const double s = out.toDouble(&ok);
        if (!ok)
            qFatal("the child process %s printed %s", qPrintable(which), out.constData());
        return s;
    };
    std::vector<double> ours;
    std::vector<double> bare;
    for (int r = 0; r < runs; ++r) {
        ours.push_back(started(u"startup"_s));
        bare.push_back(started(u"startup_bare"_s));
    }
    QDir(target).removeRecursively();
    report("startup", ours, bare);
}

// Prints the seconds since the parent started the process once a window is first exposed, and
// ends the process.
class FirstExposure final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* window = qobject_cast<QWindow*>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed() && !m_seen) {
            m_seen = true;
            // After the exposure has been handled, the window drawn.
            QTimer::singleShot(0, [] {
                const qint64 started = qEnvironmentVariable(StartedVariable).toLongLong();
                std::printf("%.6f\n", double(monotonicNs() - started) / 1e9);
                std::fflush(stdout);
                ::_exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

// What a child process started by runChild does.
int runAsChild(QApplication& app, const QString& which, const QStringList& arguments)
{
    if (which == u"copy_window") {
        copyThroughWindow(arguments.value(0).split(u'\n'));
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld\n", usage.ru_maxrss);
        return 0;
    }
    FirstExposure firstExposure;
    app.installEventFilter(&firstExposure);
    if (which == u"startup") {
        withMainWindow([&](QWidget&) { QApplication::exec(); });
    } else if (which == u"startup_bare") {
        QWidget window;
        window.setWindowTitle(u"Bare"_s);
        window.resize(640, 480);
        window.show();
        QApplication::exec();
    }
    return 1;
}

void benchCount(const QString& root, const Options& o)
{
    std::vector<double> ours;
    std::vector<double> peer;
    qint64 count = 0;
    for (int r = 0; r < o.runs; ++r) {
        ours.push_back(seconds([&] { count = countMp3ThreeLevels(root); }));
        peer.push_back(seconds([&] {
            runShell(u"find "_s + quoted(root) + u" -maxdepth 3 -iname '*.mp3' | wc -l"_s);
        }));
    }
    report("count", ours, peer);
    std::printf("  (%lld mp3 files counted)\n", static_cast<long long>(count));
}

void benchSize(const QString& root, const Options& o)
{
    SystemDrives drives;
    FileSystem fileSystem(drives);
    std::vector<double> ours;
    std::vector<double> peer;
    for (int r = 0; r < o.runs; ++r) {
        ours.push_back(seconds([&] { fileSystem.folderSize(root); }));
        peer.push_back(seconds([&] { runShell(u"du -sb "_s + quoted(root) + u" >/dev/null"_s); }));
    }
    report("size", ours, peer);
}

void benchSourceList(const QString& album, const Options& o)
{
    AppContext m(std::make_unique<SilentPlatform>(), std::make_unique<SystemDrives>());
    MainWindow w(m);
    auto* folders = w.findChild<DirListBox*>(u"SourceFolderList"_s);
    folders->setPath(album);
    folders->setListIndex(-1);
    for (int i = 0; i < o.sourceListEntries; ++i)
        w.findChild<QListWidget*>(u"SourceList"_s)
            ->addItem(album + u" copy "_s + QString::number(i));
    std::vector<double> ours;
    for (int r = 0; r < o.runs; ++r) {
        ours.push_back(seconds([&] { Q_EMIT w.sourcePane().addRequested(); }));
        delete w.findChild<QListWidget*>(u"SourceList"_s)
            ->takeItem(w.findChild<QListWidget*>(u"SourceList"_s)->count() - 1);
    }
    report("sourcelist_add", ours, {});
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Ordrane"_s);
    QStandardPaths::setTestModeEnabled(true);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Ordrane's benchmark"_s);
    parser.addHelpOption();
    const QCommandLineOption folders(u"folders"_s, u"Album folders to copy."_s, u"n"_s, u"40"_s);
    const QCommandLineOption files(u"files"_s, u"mp3 files per album."_s, u"n"_s, u"12"_s);
    const QCommandLineOption size(u"mib"_s, u"Size of each mp3 file in MiB."_s, u"n"_s, u"4"_s);
    const QCommandLineOption tree(u"count-folders"_s, u"Folders of the counting tree."_s, u"n"_s,
                                  u"20000"_s);
    const QCommandLineOption runs(u"runs"_s, u"Runs of each measurement."_s, u"n"_s, u"3"_s);
    const QCommandLineOption where(u"dir"_s, u"Folder to work in."_s, u"path"_s, QDir::tempPath());
    const QCommandLineOption only(u"only"_s,
                                  u"Only these lines, separated by commas: copy, copy_small, "
                                  u"copy_window, startup, count, size, sourcelist_add."_s,
                                  u"names"_s);
    QCommandLineOption child(u"child"_s, u"What a child process of the bench does."_s, u"what"_s);
    child.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({folders, files, size, tree, runs, where, only, child});
    parser.process(app);
    if (parser.isSet(child))
        return runAsChild(app, parser.value(child), parser.positionalArguments());

    Options o;
    o.folders = parser.value(folders).toInt();
    o.files = parser.value(files).toInt();
    o.fileBytes = parser.value(size).toLongLong() << 20;
    o.countFolders = parser.value(tree).toInt();
    o.runs = std::max(1, parser.value(runs).toInt());
    o.where = parser.value(where);

    QTemporaryDir work(o.where + u"/ordrane-bench-XXXXXX"_s);
    if (!work.isValid())
        qFatal("cannot create a work folder in %s", qPrintable(o.where));
    std::printf("# %d folders of %d files of %lld MiB, %d folders to count, %d runs, in %s\n",
                o.folders, o.files, static_cast<long long>(o.fileBytes >> 20), o.countFolders,
                o.runs, qPrintable(work.path()));
    const QStringList lines = parser.value(only).split(u',', Qt::SkipEmptyParts);
    const auto wanted = [&](const QString& line) {
        return lines.isEmpty() || lines.contains(line);
    };
    const QStringList albums = makeAlbums(work.path() + u"/music"_s, o);
    if (wanted(u"count"_s))
        makeCountTree(work.path() + u"/count"_s, o.countFolders);
    runShell(u"sync"_s);

    if (wanted(u"copy"_s))
        benchCopy("copy", work.path(), albums, o.runs);
    Options small = o;
    small.folders = 20;
    small.files = 10;
    small.fileBytes = 1 << 20;
    const QStringList smallAlbums = makeAlbums(work.path() + u"/small"_s, small);
    runShell(u"sync"_s);
    if (wanted(u"copy_small"_s))
        benchCopy("copy_small", work.path(), smallAlbums, o.runs);
    if (wanted(u"copy_window"_s))
        benchCopyWindow(work.path(), smallAlbums, o.runs);
    if (wanted(u"startup"_s))
        benchStartup(work.path() + u"/small"_s, work.path() + u"/window"_s, std::max(o.runs, 5));
    if (wanted(u"count"_s))
        benchCount(work.path() + u"/count"_s, o);
    if (wanted(u"size"_s))
        benchSize(work.path() + u"/music"_s, o);
    if (wanted(u"sourcelist_add"_s))
        benchSourceList(albums.first(), o);
    return 0;
}
