#pragma once

#include "sample/server/http_exchange.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>

class QTcpSocket;

namespace vandrel::sample {

// How fast the server answers: a wait before each answer, and a cap on the bytes per
// second of every body (0: none).
struct Pacing
{
    std::chrono::milliseconds delay{0};
    qint64 rate = 0;
};

// One client connection: reads one request head, answers it and closes.
// It deletes itself (and the socket it owns) once the connection has ended.
class SampleConnection : public QObject
{
    Q_OBJECT
public:
    SampleConnection(QTcpSocket* socket, Pacing pacing, QObject* parent);

signals:
    void answered(const QString& method, const QString& target, int status, qint64 bytes);

private:
    void readHead();
    void respond(const QByteArray& head);
    void send(const Answer& answer);
    void sendDue();
    void drop();

    QTcpSocket* socket_;
    Pacing pacing_;
    QByteArray received_;
    QByteArray body_;
    qint64 sent_ = 0;
    std::chrono::milliseconds spread_{0};
    QElapsedTimer clock_;
    QTimer idle_;
    QTimer pace_;
};

} // namespace vandrel::sample
