#pragma once

#include "net/transfer_control.h"
#include "net/transfer_monitor.h"

#include <QObject>
#include <QString>

namespace vandrel {

// GetURL: one GET through the transfer control, waiting for its end while the event loop
// keeps running, so the monitor reports every state as it happens.
class PageRequest : public QObject
{
    Q_OBJECT
public:
    PageRequest(TransferControl& inetGet, const TransferMonitor& monitor,
                QObject* parent = nullptr);

    // Returns when the transfer has ended: the page with every "&amp;" turned into "&", or
    // empty when no response completed.
    QString GetURL(const QString& url);
    static QString requestHeaders(const QString& url);

    // True when the last GetURL ended with a completed response.
    bool lastRequestSucceeded() const { return succeeded_; }

    // What the user reads when a request is refused: the number, then the description below it.
    static QString refusalText(int number, const QString& description);

signals:
    // The transfer control would not start the request; nothing was sent.
    void refused(int number, const QString& description);
    // Bracket the wait for a started request, for a busy indicator.
    void waitStarted();
    void waitFinished();

private:
    TransferControl& inetGet_;
    const TransferMonitor& monitor_;
    bool succeeded_ = false;
};

} // namespace vandrel
