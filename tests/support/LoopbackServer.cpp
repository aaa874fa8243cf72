#include "support/LoopbackServer.h"

#include <QTcpSocket>
#include <QTimer>
#include <memory>
#include <sys/socket.h>
#include <zlib.h>

namespace vandrel::test {

namespace {
constexpr int resetDelayMs = 100;
} // namespace

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
    QTimer::singleShot(reply.delayMs, socket, [socket, reply] { send(socket, reply); });
}

void LoopbackServer::send(QTcpSocket* socket, const Reply& reply)
{
    if (reply.stallAfter >= 0) {
        socket->write(reply.bytes.left(reply.stallAfter));
    } else if (reply.trickleFrom >= 0) {
        socket->write(reply.bytes.left(reply.trickleFrom));
        trickle(socket, reply);
    } else {
        socket->write(reply.bytes);
        if (reply.endlessPiece.isEmpty())
            finish(socket, reply);
        else
            streamEndlessly(socket, reply.endlessPiece);
    }
}

void LoopbackServer::trickle(QTcpSocket* socket, const Reply& reply)
{
    auto* timer = new QTimer(socket);
    auto rest = std::make_shared<QByteArray>(reply.bytes.mid(reply.trickleFrom));
    connect(timer, &QTimer::timeout, socket, [socket, timer, reply, rest] {
        if (!rest->isEmpty()) {
            socket->write(rest->left(1));
            rest->remove(0, 1);
        }
        if (rest->isEmpty()) {
            timer->stop();
            finish(socket, reply);
        }
    });
    timer->start(reply.trickleMs);
}

// Keeps about one piece queued, so the stream goes as fast as the client reads and no faster.
void LoopbackServer::streamEndlessly(QTcpSocket* socket, const QByteArray& piece)
{
    const auto refill = [socket, piece] {
        if (socket->state() == QAbstractSocket::ConnectedState &&
            socket->bytesToWrite() < piece.size())
            socket->write(piece);
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, refill);
    refill();
}

void LoopbackServer::finish(QTcpSocket* socket, const Reply& reply)
{
    if (reply.resetAfter) {
        // The client gets a moment to read what was sent; then a zero linger time turns the
        // close into a reset.
        socket->flush();
        QTimer::singleShot(resetDelayMs, socket, [socket] {
            const linger reset{1, 0};
            ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &reset,
                         sizeof reset);
            socket->abort();
        });
    } else if (reply.closeAfter) {
        socket->disconnectFromHost();
    }
}

QByteArray LoopbackServer::gzip(const QByteArray& data)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, MAX_WBITS + 16, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    return out;
}

} // namespace vandrel::test
