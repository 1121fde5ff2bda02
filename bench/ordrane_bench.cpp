// Measures Ordrane's copying, counting, sizing and Source List against the system's own tools.
// Prints one line per figure: "name: ours_s peer_s ratio", each the median of several runs.

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
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Options {
    int folders = 40;
    int files = 12;
    qint64 fileBytes = 4 << 20;
    int countFolders = 20000;
    int runs = 3;
    int sourceListEntries = 10000;
    QString where = QDir::tempPath();
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double seconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}

void runShell(const QString& command)
{
    QProcess shell;
    shell.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    shell.start(u"sh"_s, {u"-c"_s, command});
    shell.waitForFinished(-1);
    shell.readAllStandardOutput();
}

QString quoted(const QString& path)
{
    QString q = path;
    q.replace(u'\'', u"'\\''"_s);
    return u'\'' + q + u'\'';
}

void report(const char* name, const std::vector<double>& ours, const std::vector<double>& peer)
{
    const double o = median(ours);
    if (peer.empty()) {
        std::printf("%s: %.6f - -\n", name, o);
    } else {
        const double p = median(peer);
        std::printf("%s: %.6f %.6f %.3f\n", name, o, p, o / p);
    }
    std::fflush(stdout);
}

void writeFile(const QString& path, qint64 bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray block(1 << 20, '\0');
    for (qsizetype i = 0; i < block.size(); ++i)
        block[i] = char((i * 131 + bytes) & 0xff);
    for (qint64 left = bytes; left > 0; left -= block.size())
        file.write(block.constData(), std::min<qint64>(left, block.size()));
}

QStringList makeAlbums(const QString& root, const Options& o)
{
    QStringList albums;
    for (int a = 1; a <= o.folders; ++a) {
        const QString album = root + u"/Album "_s + QString::number(a).rightJustified(3, u'0');
        QDir().mkpath(album);
        for (int t = 1; t <= o.files; ++t)
            writeFile(album + u"/Track "_s + QString::number(t) + u".mp3"_s, o.fileBytes);
        writeFile(album + u"/cover.jpg"_s, 64 << 10);
        writeFile(album + u"/notes.txt"_s, 2 << 10);
        albums.append(album);
    }
    return albums;
}

void makeCountTree(const QString& root, int folders)
{
    const int perLevel = std::max(1, int(std::sqrt(double(folders))));
    int made = 0;
    for (int i = 0; made < folders; ++i) {
        const QString one = root + u"/Artist "_s + QString::number(i);
        QDir().mkpath(one);
        QFile(one + u"/a.mp3"_s).open(QIODevice::WriteOnly);
        ++made;
        for (int j = 0; j < perLevel && made < folders; ++j, ++made) {
            const QString two = one + u"/Album "_s + QString::number(j);
            QDir().mkpath(two + u"/Scans"_s);
            for (const char* name : {"1.mp3", "2.MP3", "3.mp3", "cover.jpg"})
                QFile(two + u'/' + QString::fromLatin1(name)).open(QIODevice::WriteOnly);
            QFile(two + u"/Scans/deep.mp3"_s).open(QIODevice::WriteOnly);
        }
    }
}

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
        }));
        QDir(target).removeRecursively();
        runShell(u"sync"_s);
        peer.push_back(peerCopy(work, albums));
    }
    report(name, ours, peer);
}

// The albums through the main window: from the copy button, whose questions are answered at
// once, until the window takes input again.
void benchCopyWindow(const QString& work, const QStringList& albums, int runs)
{
    std::vector<double> ours;
    std::vector<double> peer;
    const QString target = work + u"/window"_s;
    for (int r = 0; r < runs; ++r) {
        QDir().mkpath(target);
        {
            QSettings settings(QSettings::NativeFormat, QSettings::UserScope, u"Ordrane"_s,
                               u"Ordrane"_s);
            settings.setValue(u"Settings/SourcePath"_s, paths::cutAfterLastSlash(albums.first()));
            settings.setValue(u"Settings/TargetPath"_s, target);
        }
        AppContext m(std::make_unique<SilentPlatform>(), std::make_unique<SystemDrives>());
        MainWindow w(m);
        w.show();
        for (const QString& album : albums)
            w.findChild<QListWidget*>(u"SourceList"_s)->addItem(album);
        QCoreApplication::processEvents();
        ours.push_back(seconds([&] { Q_EMIT w.sourceListPane().copyRequested(); }));
        if (w.findChild<QListWidget*>(u"SourceList"_s)->count() != 0)
            qFatal("the copy run through the window did not copy every album");
        QDir(target).removeRecursively();
        runShell(u"sync"_s);
        peer.push_back(peerCopy(work, albums));
    }
    report("copy_window", ours, peer);
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
    parser.addOptions({folders, files, size, tree, runs, where});
    parser.process(app);

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
    const QStringList albums = makeAlbums(work.path() + u"/music"_s, o);
    makeCountTree(work.path() + u"/count"_s, o.countFolders);
    runShell(u"sync"_s);

    benchCopy("copy", work.path(), albums, o.runs);
    Options small = o;
    small.folders = 20;
    small.files = 10;
    small.fileBytes = 1 << 20;
    const QStringList smallAlbums = makeAlbums(work.path() + u"/small"_s, small);
    runShell(u"sync"_s);
    benchCopy("copy_small", work.path(), smallAlbums, o.runs);
    benchCopyWindow(work.path(), smallAlbums, o.runs);
    benchCount(work.path() + u"/count"_s, o);
    benchSize(work.path() + u"/music"_s, o);
    benchSourceList(albums.first(), o);
    return 0;
}
