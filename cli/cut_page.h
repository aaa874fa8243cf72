#pragma once

#include "cli/fetch_options.h"
#include "cli/row_formats.h"
#include "sources/refresh_cycle.h"

#include <QByteArray>
#include <QString>
#include <string>

namespace vandrel {

class PageRequest;
class StatusPrinter;

// One page after the refresh cycle, ready to print.
struct CutPage
{
    CycleOutcome outcome = CycleOutcome::NothingDownloaded;
    QString name;                 // what the page is called: its address, its path or "-"
    QString status;               // the page's last status text: its reason, when it failed
    std::u16string missingMarker; // as CycleResult has it
    int rows = 0;
    QByteArray output; // the rows as printed; empty unless the page was listed

    bool failed() const { return outcome != CycleOutcome::Listed; }
};

// The table of `fetch` without its page and rows: the same for every page of a run.
ChartTable tableHead(const FetchList& fetch);

// Runs the refresh cycle on the page at `origin`, its status texts going to `status`, and prints
// its rows into the result as `fetch` asks. A file needs no request (null), so that any thread
// may cut it; `beforeReading` is told its size first.
CutPage cutPage(const FetchList& fetch, const ChartTable& head, const PageOrigin& origin,
                PageRequest* request, StatusPrinter& status,
                const BeforeReading& beforeReading = {});

} // namespace vandrel
