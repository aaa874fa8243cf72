#include "sample/server/sample_connection.h"

#include <QTcpSocket>

#include <algorithm>

namespace vandrel::sample {
namespace {

using namespace std::chrono_literals;

constexpr auto IdleLimit = 30s;
constexpr auto PaceInterval = 100ms;

} // namespace

SampleConnection::SampleConnection(QTcpSocket* socket, Pacing pacing, QObject* parent)
    : QObject(parent), socket_(socket), pacing_(pacing)
{
    socket_->setParent(this);
    socket_->setReadBufferSize(static_cast<qint64>(MaxRequestHead));
    connect(socket_, &QTcpSocket::readyRead, this, &SampleConnection::readHead);
    connect(socket_, &QTcpSocket::disconnected, this, &QObject::deleteLater);
    idle_.setSingleShot(true);
    connect(&idle_, &QTimer::timeout, this, &SampleConnection::drop);
    idle_.start(IdleLimit);
    pace_.setInterval(PaceInterval);
    connect(&pace_, &QTimer::timeout, this, &SampleConnection::sendDue);
    // Data that came with the connection is read once the owner has connected to `answered`.
    QMetaObject::invokeMethod(this, &SampleConnection::readHead, Qt::QueuedConnection);
}

void SampleConnection::readHead()
{
    received_ += socket_->readAll();
    const auto end = headEnd(std::string_view(received_.constData(), received_.size()));
    if (end == std::string_view::npos) {
        if (static_cast<std::size_t>(received_.size()) >= MaxRequestHead)
            drop();
        return;
    }
    disconnect(socket_, &QTcpSocket::readyRead, this, &SampleConnection::readHead);
    idle_.stop();
    respond(received_.left(static_cast<qsizetype>(end)));
}

void SampleConnection::respond(const QByteArray& head)
{
    const auto request = parseRequest(std::string_view(head.constData(), head.size()));
    const Answer answer = answerFor(request);
    emit answered(request ? QString::fromStdString(request->method) : QStringLiteral("-"),
                  request ? QString::fromStdString(request->target) : QStringLiteral("-"),
                  answer.status, static_cast<qint64>(answer.body.size()));
    if (pacing_.delay > 0ms)
        QTimer::singleShot(pacing_.delay, this, [this, answer] { send(answer); });
    else
        send(answer);
}

void SampleConnection::send(const Answer& answer)
{
    const std::string head = responseHead(answer);
    socket_->write(head.data(), static_cast<qint64>(head.size()));
    body_ = QByteArray::fromStdString(answer.body);
    spread_ = answer.spread;
    clock_.start();
    if (pacing_.rate > 0 || spread_ > 0ms)
        pace_.start();
    sendDue();
}

// Writes as much of the body as the rate and the spread allow by now.
void SampleConnection::sendDue()
{
    const qint64 elapsed = clock_.elapsed();
    qint64 due = body_.size();
    if (pacing_.rate > 0)
        due = std::min(due, pacing_.rate * elapsed / 1000);
    if (spread_ > 0ms)
        due = std::min(due, body_.size() * elapsed / spread_.count());
    if (due > sent_) {
        socket_->write(body_.constData() + sent_, due - sent_);
        sent_ = due;
    }
    if (sent_ == body_.size()) {
        pace_.stop();
        socket_->disconnectFromHost();
    }
}

void SampleConnection::drop()
{
    socket_->abort();
    deleteLater();
}

} // namespace vandrel::sample
