// ordrane-fetch URL FILE TIMEOUT_MS MAX_BYTES: fetches the address with a GET and writes the body
// to the file, which is replaced completely or left as it was. Ordrane runs it for the About
// window's version check, so that the program itself never loads the network libraries. It
// exits with the DownloadResult::Kind of the outcome and prints the reason, if any, on stdout.

#include "platform/Download.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

DownloadResult fetch(const QUrl& url, const QString& file, std::chrono::milliseconds timeout,
                     qint64 maxBytes)
{
    QNetworkAccessManager network;
    const std::unique_ptr<QNetworkReply> reply(network.get(QNetworkRequest(url)));
    // Qt holds no more than this much unread; the body is taken from it as it arrives.
    reply->setReadBufferSize(maxBytes + 1);
    QByteArray body;
    bool tooLarge = false;
    const DownloadResult overLimit{DownloadResult::Kind::TooLarge,
                                   u"More than %1 bytes"_s.arg(QString::number(maxBytes))};

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&timedOut, &reply] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        if (tooLarge)
            return;
        body += reply->read(maxBytes + 1 - body.size());
        if (body.size() > maxBytes) {
            tooLarge = true;
            body.clear();
            reply->abort();
        }
    });
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(timeout);
    if (!reply->isFinished())
        loop.exec();

    if (timedOut)
        return {DownloadResult::Kind::TimedOut,
                u"No answer within %1 ms"_s.arg(QString::number(timeout.count()))};
    if (tooLarge)
        return overLimit;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 0)
        return {DownloadResult::Kind::NetworkError, reply->errorString()};
    if (status < 200 || status > 299)
        return {DownloadResult::Kind::HttpError,
                QString::number(status) + u' ' +
                    reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()};
    if (reply->error() != QNetworkReply::NoError)
        return {DownloadResult::Kind::NetworkError, reply->errorString()};

    body += reply->read(maxBytes + 1 - body.size());
    if (body.size() > maxBytes)
        return overLimit;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(body) != body.size() || !out.commit())
        return {DownloadResult::Kind::NotWritten, out.errorString()};
    return {};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool timeoutRead = false;
    bool limitRead = false;
    const qint64 timeout = arguments.value(3).toLongLong(&timeoutRead);
    const qint64 maxBytes = arguments.value(4).toLongLong(&limitRead);
    if (arguments.size() != 5 || !timeoutRead || !limitRead || timeout <= 0 || maxBytes < 0) {
        std::fputs("usage: ordrane-fetch URL FILE TIMEOUT_MS MAX_BYTES\n", stderr);
        return 64;
    }
    const DownloadResult result = fetch(QUrl(arguments.at(1), QUrl::StrictMode), arguments.at(2),
                                        std::chrono::milliseconds(timeout), maxBytes);
    std::fputs(result.reason.toUtf8().constData(), stdout);
    return int(result.kind);
}
