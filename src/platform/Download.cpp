#include "Download.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace download {

namespace {

// The helper as a test has built it; empty for the program's own places.
QString& chosenHelper()
{
    static QString path;
    return path;
}

// Beside the program in the build tree, else where it is installed relative to the program.
QString helperProgram()
{
    if (!chosenHelper().isEmpty())
        return chosenHelper();
    const QString beside = QCoreApplication::applicationDirPath() + u"/ordrane-fetch"_s;
    const QString installed = QCoreApplication::applicationDirPath() + u'/' +
                              QString::fromUtf8(buildinfo::helperDir) + u"/ordrane-fetch"_s;
    return QFileInfo(beside).isExecutable() || !QFileInfo(installed).isExecutable() ? beside
                                                                                    : installed;
}

// How long the helper may take beyond the time-out it keeps itself: its start and its exit.
constexpr std::chrono::milliseconds StartAndExit = std::chrono::seconds(10);

} // namespace

void setHelperProgram(const QString& path)
{
    chosenHelper() = path;
}

DownloadResult toFile(const QUrl& url, const QString& file, std::chrono::milliseconds timeout,
                      qint64 maxBytes)
{
    QProcess helper;
    QEventLoop loop;
    QObject::connect(&helper, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&helper, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    QTimer guard;
    guard.setSingleShot(true);
    bool stuck = false;
    QObject::connect(&guard, &QTimer::timeout, &loop, [&] {
        stuck = true;
        helper.kill();
    });

    const QString program = helperProgram();
    helper.start(program, {url.toString(QUrl::FullyEncoded), file, QString::number(timeout.count()),
                           QString::number(maxBytes)});
    guard.start(timeout + StartAndExit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (helper.state() != QProcess::NotRunning) {
        helper.kill();
        helper.waitForFinished();
    }

    if (helper.error() == QProcess::FailedToStart)
        return {DownloadResult::Kind::NetworkError,
                u"Cannot run %1: %2"_s.arg(program, helper.errorString())};
    if (stuck)
        return {DownloadResult::Kind::TimedOut,
                u"No answer within %1 ms"_s.arg(QString::number(timeout.count()))};
    const int code = helper.exitCode();
    if (helper.exitStatus() != QProcess::NormalExit || code < int(DownloadResult::Kind::Done) ||
        code > int(DownloadResult::Kind::TooLarge))
        return {DownloadResult::Kind::NetworkError,
                u"%1 failed: %2"_s.arg(
                    program, QString::fromLocal8Bit(helper.readAllStandardError()).trimmed())};
    return {DownloadResult::Kind(code), QString::fromUtf8(helper.readAllStandardOutput())};
}

} // namespace download
