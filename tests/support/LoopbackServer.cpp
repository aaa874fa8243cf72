#include "support/LoopbackServer.h"

#include <QTcpSocket>
#include <QTimer>
#include <memory>

namespace vandrel::test {

LoopbackServer::LoopbackServer(QObject* parent) : QObject(parent)
{
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection())
            serve(socket);
    });
    server_.listen(QHostAddress::LocalHost);
}

QString LoopbackServer::url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path);
}

QByteArray LoopbackServer::response(const QByteArray& status, const QByteArrayList& headers,
                                    const QByteArray& body)
{
    QByteArray bytes = "HTTP/1.1 " + status + "\r\n";
    for (const QByteArray& header : headers)
        bytes += header + "\r\n";
    return bytes + "\r\n" + body;
}

QByteArray LoopbackServer::chunked(const QByteArrayList& pieces)
{
    QByteArray bytes;
    for (const QByteArray& piece : pieces)
        bytes += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
    return bytes + "0\r\n\r\n";
}

quint16 LoopbackServer::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// Splits the incoming bytes into requests at each blank line and answers each in turn.
void LoopbackServer::serve(QTcpSocket* socket)
{
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    auto received = std::make_shared<QByteArray>();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket, received] {
        *received += socket->readAll();
        for (qsizetype end = received->indexOf("\r\n\r\n"); end >= 0;
             end = received->indexOf("\r\n\r\n")) {
            const QByteArray request = received->left(end + 4);
            received->remove(0, end + 4);
            requests_.append(request);
            answer(socket, request);
        }
    });
}

void LoopbackServer::answer(QTcpSocket* socket, const QByteArray& request)
{
    const QByteArray path = request.left(request.indexOf("\r\n")).split(' ').value(1);
    const Reply reply = replies_.value(path, defaultReply_);
    QTimer::singleShot(reply.delayMs, socket, [socket, reply] {
        const bool stalls = reply.stallAfter >= 0;
        socket->write(stalls ? reply.bytes.left(reply.stallAfter) : reply.bytes);
        if (reply.closeAfter && !stalls)
            socket->disconnectFromHost();
    });
}

} // namespace vandrel::test
