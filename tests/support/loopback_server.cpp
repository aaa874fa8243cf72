#include "support/loopback_server.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <sys/socket.h>

namespace vandrel::test {

LoopbackServer::LoopbackServer()
{
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            // Each request ends at the blank line after its head.
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                for (qsizetype end;
                     (end = socket->peek(socket->bytesAvailable()).indexOf("\r\n\r\n")) >= 0;) {
                    requests_.append(socket->read(end + 4));
                    send(socket, replyTo(requests_.last()));
                }
            });
        }
    });
    server_.listen(QHostAddress::LocalHost);
}

LoopbackServer::Reply LoopbackServer::replyTo(const QByteArray& request) const
{
    static const QRegularExpression chain(QStringLiteral("^GET \\S*/r(\\d+) "));
    const int left = chain.match(QString::fromLatin1(request)).captured(1).toInt();
    if (left == 0)
        return reply_;
    return {response("302 Found", {"Location: /r" + QByteArray::number(left - 1),
                                   "Content-Length: 0", "Connection: close"})};
}

QString LoopbackServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

QByteArray LoopbackServer::response(const QByteArray& status, const QByteArrayList& headers,
                                    const QByteArray& body)
{
    return "HTTP/1.1 " + status + "\r\n" + (headers + QByteArrayList{{}, body}).join("\r\n");
}

LoopbackServer::Reply LoopbackServer::ok(const QByteArray& body, const QByteArrayList& headers)
{
    const QByteArray length = "Content-Length: " + QByteArray::number(body.size());
    return {response("200 OK", QByteArrayList{length} + headers, body)};
}

quint16 LoopbackServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

void LoopbackServer::send(QTcpSocket* socket, const Reply& reply)
{
    socket->write(reply.bytes);
    if (reply.endlessPiece.isEmpty())
        return finish(socket, reply);
    auto* timer = new QTimer(socket);
    connect(timer, &QTimer::timeout, socket, [socket, timer, reply, left = reply.pieces]() mutable {
        if (socket->bytesToWrite() >= reply.endlessPiece.size())
            return;
        socket->write(reply.endlessPiece);
        if (--left == 0) {
            timer->stop();
            finish(socket, reply);
        }
    });
    timer->start(reply.trickleMs);
}

void LoopbackServer::finish(QTcpSocket* socket, const Reply& reply)
{
    if (reply.resetAfter) {
        // The client gets a moment to read; then a zero linger time turns the close into a reset.
        socket->flush();
        QTimer::singleShot(100, socket, [socket] {
            const linger reset{1, 0};
            ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset,
                         sizeof reset);
            socket->abort();
        });
    } else if (reply.closeAfter) {
        socket->disconnectFromHost();
    }
}

} // namespace vandrel::test
