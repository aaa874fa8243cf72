#pragma once

#include "net/transfer_state.h"

#include <QObject>
#include <QString>

namespace vandrel {

// The HTTP client the window and vandrel-fetch download through, one request at a time.
// The page request, the monitor and the window's guards rely on these operations only, so
// tests can put a scripted transfer in place of the real one.
class TransferControl : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts one request and returns at once; throws Failure when it cannot start.
    virtual void Execute(const QString& url, const QString& operation,
                         const QString& requestHeaders) = 0;
    // True from a successful Execute until the request has ended in any way.
    virtual bool StillExecuting() const = 0;
    // The next piece of the body as text (at most `size` bytes of it); empty once exhausted.
    virtual QString GetChunk(int size) = 0;
    // The value of a response header, named with its colon ("Content-Length:").
    virtual QString GetHeader(const QString& name) const = 0;
    // What went wrong, after the state Failed.
    virtual int ResponseCode() const = 0;
    virtual QString ResponseInfo() const = 0;

signals:
    // Failed and Completed end the request.
    void StateChanged(vandrel::TransferState State);
    // Body bytes received so far, as they came over the wire, while the response arrives;
    // `announced` is the Content-Length, or 0 or less when the server sent none.
    void progress(qint64 received, qint64 announced);
};

} // namespace vandrel
