#include "LoopbackServer.h"

#include <QTcpSocket>

using namespace Qt::StringLiterals;

namespace {

QUrl loopbackUrl(quint16 port, const QString& path)
{
    QUrl url;
    url.setScheme(u"http"_s);
    url.setHost(u"127.0.0.1"_s);
    url.setPort(port);
    url.setPath(path);
    return url;
}

} // namespace

LoopbackServer::LoopbackServer(int status, const QByteArray& reason, const QByteArray& body)
    : LoopbackServer()
{
    m_answer =
        "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason +
        "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
        "\r\nConnection: close\r\n\r\n" + body;
}

LoopbackServer::LoopbackServer()
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackServer::accept);
    m_server.listen(QHostAddress::LocalHost);
}

std::unique_ptr<LoopbackServer> LoopbackServer::endless(const QByteArray& chunk)
{
    auto server = std::make_unique<LoopbackServer>();
    server->m_answer = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nConnection: close\r\n\r\n";
    server->m_endlessChunk = chunk;
    return server;
}

QUrl LoopbackServer::url(const QString& path) const
{
    return loopbackUrl(m_server.serverPort(), path);
}

QUrl LoopbackServer::refusingUrl(const QString& path)
{
    // A port the system has just handed out and taken back.
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return loopbackUrl(port, path);
}

void LoopbackServer::accept()
{
    while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this,
                [this, socket, request = QByteArray()]() mutable {
                    request += socket->readAll();
                    if (!request.contains("\r\n\r\n"))
                        return;
                    m_requests.append(request.split(' ').value(1));
                    if (m_answer.isEmpty())
                        return;
                    socket->write(m_answer);
                    if (m_endlessChunk.isEmpty()) {
                        socket->disconnectFromHost();
                        return;
                    }
                    connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket] {
                        if (socket->bytesToWrite() == 0)
                            socket->write(m_endlessChunk);
                    });
                });
    }
}
