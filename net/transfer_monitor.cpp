#include "net/transfer_monitor.h"

#include <QLocale>
#include <limits>

namespace vandrel {

namespace {

constexpr int ChunkSize = 1024;
// Live progress is redrawn at most this often, so a fast page does not spend its time painting.
constexpr qint64 ArrivalRefreshMs = 100;

QString stateText(TransferState state)
{
    switch (state) {
    case TransferState::ResolvingHost:
        return QStringLiteral("Looking up IP address of host computer...");
    case TransferState::HostResolved:
        return QStringLiteral("IP address found.");
    case TransferState::Connecting:
        return QStringLiteral("Attempting to connect to Host...");
    case TransferState::Connected:
        return QStringLiteral("Connected.");
    case TransferState::Requesting:
        return QStringLiteral("Making Request...");
    case TransferState::RequestSent:
        return QStringLiteral("Request sent.");
    case TransferState::Receiving:
        return QStringLiteral("Chatting with Host...");
    case TransferState::Disconnecting:
        return QStringLiteral("Disconnecting...");
    case TransferState::Disconnected:
        return QStringLiteral("Disconnected.");
    default:
        return {};
    }
}

// "0.0": the ratio rounded half away from zero to tenths, computed exactly on
// integers, with the user's decimal separator and no digit grouping.
QString percentText(qint64 received, qint64 announced)
{
    const qint64 tenths = (received * 2000 + announced) / (announced * 2);
    return QString::number(tenths / 10) + QLocale::system().decimalPoint() +
           QString::number(tenths % 10);
}

// Leading blanks skipped, digits up to the first non-digit; a length beyond
// qint32 is clamped to its maximum, which still shows a sensible percentage.
qint32 leadingNumber(const QString& value)
{
    constexpr qint64 limit = std::numeric_limits<qint32>::max();
    qsizetype i = 0;
    while (i < value.size() && (value[i] == QLatin1Char(' ') || value[i] == QLatin1Char('\t')))
        ++i;
    qint64 number = 0;
    for (; i < value.size() && value[i] >= QLatin1Char('0') && value[i] <= QLatin1Char('9'); ++i)
        number = qMin(number * 10 + value[i].digitValue(), limit);
    return qint32(number);
}

QString kilobytes(qint64 received)
{
    return QString::number(received / 1000) + QStringLiteral("KB");
}

QString sizeSuffix(qint64 received, qint64 announced)
{
    if (announced <= 0)
        return QStringLiteral("/?\r\n(The server did not tell me the size.)");
    return QStringLiteral("/") + kilobytes(announced) + QStringLiteral("\r\n") +
           percentText(received, announced) + QLatin1Char('%');
}

} // namespace

TransferMonitor::TransferMonitor(TransferControl& inetGet, QObject* parent)
    : QObject(parent), inetGet_(inetGet)
{
    connect(&inetGet_, &TransferControl::StateChanged, this,
            &TransferMonitor::inetGet_StateChanged);
    connect(&inetGet_, &TransferControl::progress, this, &TransferMonitor::showArrival);
}

void TransferMonitor::inetGet_StateChanged(TransferState State)
{
    if (State == TransferState::Completed) {
        readBody();
    } else if (State == TransferState::Failed) {
        emit statusChanged(QStringLiteral("Error ") + QString::number(inetGet_.ResponseCode()) +
                           QLatin1Char(' ') + inetGet_.ResponseInfo());
    } else if (const QString text = stateText(State); !text.isEmpty()) {
        if (State == TransferState::ResolvingHost)
            sinceArrivalShown_.invalidate();
        emit statusChanged(text);
    }
}

void TransferMonitor::showArrival(qint64 received, qint64 announced)
{
    if (sinceArrivalShown_.isValid() && sinceArrivalShown_.elapsed() < ArrivalRefreshMs)
        return;
    sinceArrivalShown_.start();
    // The same 32-bit size as PageSize, so that any announced length gives a percentage.
    announced = qMin(announced, qint64(std::numeric_limits<qint32>::max()));
    emit statusChanged(kilobytes(received) + sizeSuffix(received, announced));
}

void TransferMonitor::readBody()
{
    pageText_.clear();
    QString chunk = inetGet_.GetChunk(ChunkSize);
    bool finished = chunk.isEmpty();
    pageSize_ = leadingNumber(inetGet_.GetHeader(QStringLiteral("Content-Length:")));
    pageText_ += chunk;
    while (!finished) {
        chunk = inetGet_.GetChunk(ChunkSize);
        pageText_ += chunk;
        const QString received = kilobytes(pageText_.size());
        emit statusChanged(received);
        emit statusChanged(received + sizeSuffix(pageText_.size(), pageSize_));
        finished = chunk.isEmpty();
    }
}

} // namespace vandrel
