#pragma once

#include "sample/server/sample_connection.h"

#include <QObject>
#include <QString>
#include <QTcpServer>

#include <chrono>

namespace vandrel::sample {

// The sample web server on 127.0.0.1: serves the sample pages by path, whatever the Host,
// and also takes proxy requests ("GET http://host/path HTTP/1.1").
class SampleServer : public QObject
{
    Q_OBJECT
public:
    explicit SampleServer(QObject* parent = nullptr);

    // Port 0 picks a free port. Refuses to start when two pages claim one path.
    bool listen(quint16 port);
    quint16 port() const;
    QString errorString() const;

    void setDelay(std::chrono::milliseconds delay);
    // Bytes per second for every body; 0 sends at full speed.
    void setRate(qint64 bytesPerSecond);

signals:
    // One per request; `bytes` is the length of the body.
    void answered(const QString& method, const QString& target, int status, qint64 bytes);

private:
    void acceptConnections();

    QTcpServer server_;
    Pacing pacing_;
    QString routingError_;
};

} // namespace vandrel::sample
