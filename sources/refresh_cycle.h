#pragma once

#include "sources/chart_source.h"
#include "sources/row_sink.h"

#include <string>
#include <string_view>

namespace vandrel {

// One source page of a front end as the refresh cycle sees it: its "Get" button, its list
// (the RowSink), its caption and choice, the status line and the download. The window's pages
// and vandrel-fetch's console page are the two.
class CyclePage : public RowSink
{
public:
    virtual void setGetEnabled(bool enabled) = 0;
    virtual void setStatus(const std::u16string& text) = 0;
    virtual void clearList() = 0;
    virtual int rowCount() const = 0;
    // The drop-down item chosen on the page; empty on pages without one.
    virtual std::u16string choice() const = 0;
    virtual void setCaption(const std::u16string& caption) = 0;
    // Fetches the address and returns the page text, which the page holds until it downloads
    // again; empty when nothing arrived.
    virtual std::u16string_view download(const std::u16string& address) = 0;
    // Seconds with one decimal, written the way the user's locale writes numbers.
    virtual std::u16string formatSeconds(double seconds) const = 0;
};

// How a run ended: the list read, nothing downloaded (the transfer reported why), or a failure
// whose text is on the status line.
enum class CycleOutcome { Listed, NothingDownloaded, Failed };

struct CycleResult
{
    CycleOutcome outcome;
    // After a failure for want of a marker, or a list read without rows: the first marker the
    // page lacks where the extraction looks for it, described; empty otherwise.
    std::u16string missingMarker = {};
};

// What every "Get" button runs: empty the list, download the source's page, cut
// the rows out of it, and report the time taken and the rows found, or the failure.
CycleResult runRefreshCycle(CyclePage& page, const ChartSource& source);

} // namespace vandrel
