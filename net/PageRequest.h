#pragma once

#include "net/TransferControl.h"
#include "net/TransferMonitor.h"

#include <QObject>
#include <QString>

class QWidget;

namespace vandrel {

// GetURL: one GET through the transfer control, waiting for its end while the
// window keeps processing its events.
class PageRequest : public QObject
{
    Q_OBJECT
public:
    // `dialogParent` holds the message box and owns the request.
    PageRequest(TransferControl& inetGet, TransferMonitor& monitor, QWidget* dialogParent);

    // Returns when the transfer has ended; PageText then holds the page, or is empty.
    void GetURL(const QString& url);
    static QString RequestHeaders(const QString& url);
    static QString replaceAmpEntities(QString text);

    // True when the last GetURL ended with a completed response (state 12).
    bool lastRequestSucceeded() const { return succeeded_; }

private:
    void showRefusal(int number, const QString& description);

    TransferControl& inetGet_;
    TransferMonitor& monitor_;
    QWidget* dialogParent_;
    bool succeeded_ = false;
};

} // namespace vandrel
