#pragma once

#include <QByteArrayList>
#include <QHash>
#include <QTcpServer>

class QTcpSocket;

namespace vandrel::test {

// A scripted HTTP server on 127.0.0.1 for tests. It records every request it receives, raw,
// and answers each with the reply set for its path (or the default reply): raw bytes, after
// a delay; all at once or stalling part-way, then followed by an endless stream, slow or fast;
// or closing, resetting or keeping the connection.
class LoopbackServer : public QObject
{
public:
    struct Reply
    {
        QByteArray bytes = {};
        int delayMs = 0;
        // How many of `bytes` are sent before the server falls silent; -1 sends them all.
        qsizetype stallAfter = -1;
        bool closeAfter = true;
        // Written again and again after `bytes`: one piece every `trickleMs`, or with 0 as fast
        // as the client reads.
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
    void setReply(const Reply& reply) { defaultReply_ = reply; }
    void setReply(const QByteArray& path, const Reply& reply) { replies_.insert(path, reply); }
    // Each request's bytes up to and including the blank line that ends its head.
    const QByteArrayList& requests() const { return requests_; }

    // "HTTP/1.1 <status>" + the header lines + a blank line + the body, nothing added.
    static QByteArray response(const QByteArray& status, const QByteArrayList& headers,
                               const QByteArray& body = {});
    // A "200 OK" response with the body's Content-Length ahead of `headers`.
    static Reply ok(const QByteArray& body, const QByteArrayList& headers = {});
    // `data` as a zlib stream, which is what Content-Encoding: deflate means.
    static QByteArray deflate(const QByteArray& data) { return qCompress(data).mid(4); }
    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    static void send(QTcpSocket* socket, const Reply& reply);
    static void finish(QTcpSocket* socket, const Reply& reply);

    QTcpServer server_;
    QHash<QByteArray, Reply> replies_;
    Reply defaultReply_;
    QByteArrayList requests_;
};

} // namespace vandrel::test
