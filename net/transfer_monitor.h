#pragma once

#include "net/transfer_control.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

namespace vandrel {

// The handler of the transfer's StateChanged: a status text per state, live progress while
// the body arrives, and on a completed response the body read into PageText with progress
// texts. Whoever shows the status line listens to statusChanged.
class TransferMonitor : public QObject
{
    Q_OBJECT
public:
    explicit TransferMonitor(TransferControl& inetGet, QObject* parent = nullptr);

    const QString& PageText() const { return pageText_; }
    qint32 PageSize() const { return pageSize_; }

    void inetGet_StateChanged(TransferState State);

signals:
    void statusChanged(const QString& text);

private:
    void readBody();
    void showArrival(qint64 received, qint64 announced);

    TransferControl& inetGet_;
    QString pageText_;
    qint32 pageSize_ = 0;
    QElapsedTimer sinceArrivalShown_;
};

} // namespace vandrel
