#pragma once

#include <QByteArrayList>
#include <QTcpServer>

class QTcpSocket;

namespace vandrel::test {

// A scripted HTTP server on 127.0.0.1 for tests. It records every request it receives, raw,
// sends a request for /r<N> on to /r<N-1> (a chain of N redirects), and answers the others with
// the set reply: raw bytes, perhaps followed by an endless stream, slow or fast; then closing,
// resetting or keeping the connection, which a silent server also does.
class LoopbackServer : public QObject
{
public:
    struct Reply
    {
        QByteArray bytes = {};
        bool closeAfter = true;
        // Written again and again after `bytes`: one piece every `trickleMs`, but never more
        // than one queued, so with 0 the stream goes as fast as the client reads.
        QByteArray endlessPiece = {};
        int trickleMs = 0;
        // With `trickleMs`, the stream ends (as the reply says) after this many pieces.
        int pieces = -1;
        // Ends the connection with a reset (RST) a moment after the bytes went out.
        bool resetAfter = false;
    };

    LoopbackServer();

    quint16 port() const { return server_.serverPort(); }
    QString url(const QString& path = QStringLiteral("/")) const;
    void setReply(const Reply& reply) { reply_ = reply; }
    // Each request's bytes up to and including the blank line that ends its head.
    const QByteArrayList& requests() const { return requests_; }

    // "HTTP/1.1 <status>" + the header lines + a blank line + the body, nothing added.
    static QByteArray response(const QByteArray& status, const QByteArrayList& headers,
                               const QByteArray& body = {});
    // A "200 OK" response with the body's Content-Length ahead of `headers`.
    static Reply ok(const QByteArray& body, const QByteArrayList& headers = {});
    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    Reply replyTo(const QByteArray& request) const;
    static void send(QTcpSocket* socket, const Reply& reply);
    static void finish(QTcpSocket* socket, const Reply& reply);

    QTcpServer server_;
    Reply reply_;
    QByteArrayList requests_;
};

} // namespace vandrel::test
