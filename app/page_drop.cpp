#include "app/page_drop.h"

#include "net/transfer_control.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <optional>

namespace vandrel {

namespace {

std::optional<PageOrigin> originOf(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1)
        return std::nullopt;
    const QUrl& url = urls.front();
    if (url.isLocalFile())
        return PageOrigin{PageOrigin::Kind::File, url.toLocalFile()};
    if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"))
        return PageOrigin{PageOrigin::Kind::Address, url.toString()};
    return std::nullopt;
}

} // namespace

PageDrop::PageDrop(QWidget* page, const TransferControl& inetGet) : QObject(page), inetGet_(inetGet)
{
    page->setAcceptDrops(true);
    page->installEventFilter(this);
}

bool PageDrop::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const std::optional<PageOrigin> origin = originOf(drop->mimeData());
    if (!origin || inetGet_.StillExecuting()) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        emit dropped(*origin);
    return true;
}

} // namespace vandrel
