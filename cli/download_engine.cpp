#include "cli/download_engine.h"

#include "cli/status_printer.h"

namespace vandrel {

DownloadEngine::DownloadEngine(StatusPrinter& printer)
    : status(printer), monitor(transfer), request(transfer, monitor)
{
    QObject::connect(&monitor, &TransferMonitor::statusChanged, &monitor,
                     [this](const QString& text) { status.show(text); });
    // The window shows a refusal in a message box; here it is the status.
    QObject::connect(&request, &PageRequest::refused, &request,
                     [this](int number, const QString& description) {
                         status.show(PageRequest::refusalText(number, description));
                     });
}

} // namespace vandrel
