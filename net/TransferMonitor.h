#pragma once

#include "net/TransferControl.h"

#include <QObject>
#include <QString>
#include <utility>

class QLabel;

namespace vandrel {

// The window's handler of the transfer's StateChanged: a status text per state,
// and on a completed response the body read into PageText with progress texts.
class TransferMonitor : public QObject
{
    Q_OBJECT
public:
    TransferMonitor(TransferControl& inetGet, QLabel& status, QObject* parent = nullptr);

    const QString& PageText() const { return pageText_; }
    void setPageText(QString text) { pageText_ = std::move(text); }
    qint32 PageSize() const { return pageSize_; }

    void inetGet_StateChanged(int State);

private:
    void readBody();

    TransferControl& inetGet_;
    QLabel& status_;
    QString pageText_;
    qint32 pageSize_ = 0;
};

} // namespace vandrel
