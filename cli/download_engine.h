#pragma once

#include "net/curl_transfer.h"
#include "net/page_request.h"
#include "net/transfer_monitor.h"

namespace vandrel {

class StatusPrinter;

// The engine of the downloads of one run, the window's own: the transfer, its monitor reporting
// to the printer, the request. It lives on the main thread.
struct DownloadEngine
{
    explicit DownloadEngine(StatusPrinter& printer);

    StatusPrinter& status;
    CurlTransfer transfer;
    TransferMonitor monitor;
    PageRequest request;
};

} // namespace vandrel
