#pragma once

#include <QByteArray>
#include <QObject>
#include <QTcpServer>
#include <QUrl>

#include <memory>

// A web server on 127.0.0.1 for tests. It reads each request up to the blank line after its
// headers and gives every one the same fixed answer, or never answers at all.
class LoopbackServer final : public QObject {
public:
    // A server that sends this answer: status, reason phrase and body.
    LoopbackServer(int status, const QByteArray& reason, const QByteArray& body);
    // A server that takes the connection and never answers.
    LoopbackServer();
    // A server that answers 200 with a body of no stated length that never ends: this chunk
    // again each time the last one has been sent, until the client hangs up.
    static std::unique_ptr<LoopbackServer> endless(const QByteArray& chunk);

    QUrl url(const QString& path) const;
    // Paths of the requests that arrived, in order.
    const QList<QByteArray>& requests() const { return m_requests; }

    // An address on 127.0.0.1 where no server listens.
    static QUrl refusingUrl(const QString& path);

private:
    void accept();

    QTcpServer m_server;
    QByteArray m_answer;
    QList<QByteArray> m_requests;
    QByteArray m_endlessChunk;
};
