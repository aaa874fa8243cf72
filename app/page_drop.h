#pragma once

#include "net/page_origin.h"

#include <QObject>

class QWidget;

namespace vandrel {

class TransferControl;

// Takes a saved page (a local file) or a link (http or https) dropped onto a source page, one at
// a time, and none while a transfer runs. It belongs to the page and goes with it.
class PageDrop : public QObject
{
    Q_OBJECT
public:
    PageDrop(QWidget* page, const TransferControl& inetGet);

signals:
    void dropped(const vandrel::PageOrigin& origin);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TransferControl& inetGet_;
};

} // namespace vandrel
