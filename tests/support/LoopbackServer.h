#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTcpServer>

class QTcpSocket;

namespace vandrel::test {

// A scripted HTTP server on 127.0.0.1 for tests. It records every request it receives,
// raw, and answers each with the reply set for its path (or the default reply): raw bytes,
// optionally after a delay, optionally stalling part-way, optionally closing afterwards.
class LoopbackServer : public QObject
{
    Q_OBJECT
public:
    struct Reply
    {
        QByteArray bytes;
        int delayMs = 0;
        // How many of `bytes` are sent before the server falls silent; -1 sends them all.
        qsizetype stallAfter = -1;
        bool closeAfter = true;
    };

    explicit LoopbackServer(QObject* parent = nullptr);

    quint16 port() const { return server_.serverPort(); }
    QString url(const QString& path = QStringLiteral("/")) const;
    void setReply(const Reply& reply) { defaultReply_ = reply; }
    void setReply(const QByteArray& path, const Reply& reply) { replies_.insert(path, reply); }
    // Each request's bytes up to and including the blank line that ends its header.
    const QByteArrayList& requests() const { return requests_; }

    // "HTTP/1.1 <status>" + the header lines + a blank line + the body, nothing added.
    static QByteArray response(const QByteArray& status, const QByteArrayList& headers,
                               const QByteArray& body = {});
    // A body in chunked transfer coding, one chunk per piece.
    static QByteArray chunked(const QByteArrayList& pieces);
    // A port on 127.0.0.1 where nothing listens.
    static quint16 closedPort();

private:
    void serve(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const QByteArray& request);

    QTcpServer server_;
    QHash<QByteArray, Reply> replies_;
    Reply defaultReply_;
    QByteArrayList requests_;
};

} // namespace vandrel::test
