#pragma once

// What the benchmark's measurements share: the sizes, timing, the system's tools and the music-like
// trees they work on.

#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace bench {

struct Options {
    int folders = 40;
    int files = 12;
    qint64 fileBytes = 4 << 20;
    int countFolders = 20000;
    int runs = 3;
    int sourceListEntries = 10000;
    QString where = QDir::tempPath();
};

double median(std::vector<double> values);
// CLOCK_MONOTONIC in nanoseconds: the same clock in the bench and its child processes.
qint64 monotonicNs();
// How long work takes, in seconds.
double seconds(const std::function<void()>& work);
// Runs a command through sh and waits for it.
void runShell(const QString& command);
// The path quoted for sh.
QString quoted(const QString& path);
// Prints "name: ours peer ratio" from the medians; "name: ours - -" without a peer.
void report(const char* name, const std::vector<double>& ours, const std::vector<double>& peer);
// A file of the given size holding a pattern that does not compress.
void writeFile(const QString& path, qint64 bytes);
// The albums of the benchmark under root: mp3 files, a picture and a text each.
QStringList makeAlbums(const QString& root, const Options& o);
// A tree of about this many folders over three levels, with mp3 files to count.
void makeCountTree(const QString& root, int folders);

} // namespace bench
