#include "net/TransferMonitor.h"

#include <QLabel>
#include <QLocale>
#include <limits>

namespace vandrel {

namespace {

constexpr int chunkSize = 1024;

QString stateText(int state)
{
    switch (state) {
    case 1:
        return QStringLiteral("Looking up IP address of host computer...");
    case 2:
        return QStringLiteral("IP address found.");
    case 3:
        return QStringLiteral("Attempting to connect to Host...");
    case 4:
        return QStringLiteral("Connected.");
    case 5:
        return QStringLiteral("Making Request...");
    case 6:
        return QStringLiteral("Request sent.");
    case 7:
        return QStringLiteral("Chatting with Host...");
    case 9:
        return QStringLiteral("Disconnecting...");
    case 10:
        return QStringLiteral("Disconnected.");
    default:
        return {};
    }
}

// "0.0": the ratio rounded half away from zero to tenths, computed exactly on
// integers, with the user's decimal separator and no digit grouping.
QString percentText(qsizetype received, qint32 announced)
{
    const qint64 tenths = (qint64(received) * 2000 + announced) / (qint64(announced) * 2);
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

QString sizeSuffix(qsizetype received, qint32 announced)
{
    if (announced <= 0)
        return QStringLiteral("/?\r\n(The server did not tell me the size.)");
    return QStringLiteral("/") + QString::number(announced / 1000) + QStringLiteral("KB\r\n") +
           percentText(received, announced) + QLatin1Char('%');
}

} // namespace

TransferMonitor::TransferMonitor(TransferControl& inetGet, QLabel& status, QObject* parent)
    : QObject(parent), inetGet_(inetGet), status_(status)
{
    connect(&inetGet_, &TransferControl::StateChanged, this,
            &TransferMonitor::inetGet_StateChanged);
}

void TransferMonitor::inetGet_StateChanged(int State)
{
    if (State == 12) {
        readBody();
    } else if (State == 11) {
        status_.setText(QStringLiteral("Error ") + QString::number(inetGet_.ResponseCode()) +
                        QLatin1Char(' ') + inetGet_.ResponseInfo());
    } else if (const QString text = stateText(State); !text.isEmpty()) {
        status_.setText(text);
    }
}

void TransferMonitor::readBody()
{
    pageText_.clear();
    QString chunk = inetGet_.GetChunk(chunkSize);
    bool finished = chunk.isEmpty();
    pageSize_ = leadingNumber(inetGet_.GetHeader(QStringLiteral("Content-Length:")));
    pageText_ += chunk;
    while (!finished) {
        chunk = inetGet_.GetChunk(chunkSize);
        pageText_ += chunk;
        status_.setText(QString::number(pageText_.size() / 1000) + QStringLiteral("KB"));
        status_.setText(status_.text() + sizeSuffix(pageText_.size(), pageSize_));
        finished = chunk.isEmpty();
    }
}

} // namespace vandrel
