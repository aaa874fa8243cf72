#include "net/page_request.h"

#include "net/ampersands.h"
#include "text/failure.h"

#include <QCoreApplication>

namespace vandrel {

PageRequest::PageRequest(TransferControl& inetGet, const TransferMonitor& monitor, QObject* parent)
    : QObject(parent), inetGet_(inetGet), monitor_(monitor)
{
    connect(&inetGet_, &TransferControl::StateChanged, this, [this](TransferState state) {
        if (state == TransferState::Failed || state == TransferState::Completed)
            succeeded_ = state == TransferState::Completed;
    });
}

QString PageRequest::GetURL(const QString& url)
{
    succeeded_ = false;
    try {
        inetGet_.Execute(url, QStringLiteral("GET"), requestHeaders(url));
    } catch (const Failure& failure) {
        emit refused(failure.number(), QString::fromStdString(failure.description()));
        return {};
    }
    emit waitStarted();
    // Blocking until an event arrives keeps a long wait off the processor; the
    // transfer's own signals are events too, so every state still gets through.
    while (inetGet_.StillExecuting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    emit waitFinished();
    // A request that fails must not hand the previous page to the caller.
    if (!succeeded_)
        return {};
    return withPlainAmpersands(monitor_.PageText());
}

QString PageRequest::refusalText(int number, const QString& description)
{
    return QStringLiteral("Error: %1\r\n%2").arg(number).arg(description);
}

QString PageRequest::requestHeaders(const QString& url)
{
    return QStringLiteral("\r\n\r\nReferer: ") + url +
           QStringLiteral("\r\nContent-Type: application/x-www-form-urlencoded"
                          "\r\nUser-Agent: ZizerIde (compatible; MSIE 4.01; Windows 98)\r\n\r\n");
}

} // namespace vandrel
