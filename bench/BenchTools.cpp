#include "BenchTools.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

using namespace Qt::StringLiterals;

namespace bench {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

qint64 monotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
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

} // namespace bench
