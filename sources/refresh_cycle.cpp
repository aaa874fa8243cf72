#include "sources/refresh_cycle.h"

#include "text/utf8.h"

#include <chrono>
#include <exception>

namespace vandrel {

namespace {

std::u16string errorText(const std::u16string& description)
{
    return u"An error occured while processing the list: " + description +
           u".\r\nMake sure you have the latest version of this program.";
}

std::u16string doneText(const std::u16string& seconds, int count)
{
    return u"Done. (" + seconds + u" secs)\r\n(" + FromUtf8(std::to_string(count)) + u" Found)";
}

CycleOutcome refresh(CyclePage& page, const ChartSource& source)
{
    page.SetGetEnabled(false);
    // A monotonic clock: a run across midnight must not come out negative.
    const auto start = std::chrono::steady_clock::now();
    page.SetStatus(u"Downloading List...");
    page.ClearList();

    const std::u16string choice = page.Choice();
    if (source.choiceCaption)
        page.SetCaption(source.choiceCaption(choice));
    std::u16string text = page.Download(source.address(choice));
    if (text.empty()) {
        page.SetGetEnabled(true);
        return CycleOutcome::NothingDownloaded;
    }

    page.SetStatus(u"Parsing...");
    source.extract(std::move(text), page);
    page.SetGetEnabled(true);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    page.SetStatus(doneText(page.FormatSeconds(elapsed.count()), page.RowCount()));
    return CycleOutcome::Listed;
}

} // namespace

CycleOutcome RunRefreshCycle(CyclePage& page, const ChartSource& source)
{
    try {
        return refresh(page, source);
    } catch (const std::exception& failure) {
        // Failure's what() is its description; anything else the standard library
        // throws (say, out of memory) ends the run the same way.
        page.SetGetEnabled(true);
        page.SetStatus(errorText(FromUtf8(failure.what())));
        return CycleOutcome::Failed;
    }
}

} // namespace vandrel
