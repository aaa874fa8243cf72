#include "net/PageRequest.h"

#include "text/failure.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace vandrel {

namespace {

// The busy cursor over the application for as long as it lives, however the wait ends.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

PageRequest::PageRequest(TransferControl& inetGet, TransferMonitor& monitor, QWidget* dialogParent)
    : QObject(dialogParent), inetGet_(inetGet), monitor_(monitor), dialogParent_(dialogParent)
{
    connect(&inetGet_, &TransferControl::StateChanged, this, [this](int state) {
        if (state == 11 || state == 12)
            succeeded_ = state == 12;
    });
}

void PageRequest::GetURL(const QString& url)
{
    // A request that fails must not leave the previous page for the caller to parse.
    monitor_.setPageText({});
    succeeded_ = false;
    try {
        inetGet_.Execute(url, QStringLiteral("GET"), RequestHeaders(url));
    } catch (const Failure& failure) {
        showRefusal(failure.number(), QString::fromStdString(failure.description()));
        return;
    }
    const BusyCursor busy;
    // Blocking until an event arrives keeps a long wait off the processor; the
    // transfer's own signals are events too, so every state still gets through.
    while (inetGet_.StillExecuting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    monitor_.setPageText(replaceAmpEntities(monitor_.PageText()));
}

QString PageRequest::RequestHeaders(const QString& url)
{
    return QStringLiteral("\r\n\r\nReferer: ") + url +
           QStringLiteral("\r\nContent-Type: application/x-www-form-urlencoded"
                          "\r\nUser-Agent: ZizerIde (compatible; MSIE 4.01; Windows 98)\r\n\r\n");
}

QString PageRequest::replaceAmpEntities(QString text)
{
    return text.replace(QStringLiteral("&amp;"), QStringLiteral("&"), Qt::CaseSensitive);
}

void PageRequest::showRefusal(int number, const QString& description)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("InetGet Error..."),
                    QStringLiteral("Error: ") + QString::number(number) + QStringLiteral("\r\n") +
                        description,
                    QMessageBox::Ok, dialogParent_);
    box.exec();
}

} // namespace vandrel
