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
    return u"Done. (" + seconds + u" secs)\r\n(" + fromUtf8(std::to_string(count)) + u" Found)";
}

CycleOutcome refresh(CyclePage& page, const ChartSource& source)
{
    page.setGetEnabled(false);
    // A monotonic clock: a run across midnight must not come out negative.
    const auto start = std::chrono::steady_clock::now();
    page.setStatus(u"Downloading List...");
    page.clearList();

    const std::u16string choice = page.choice();
    if (source.choiceCaption)
        page.setCaption(source.choiceCaption(choice));
    std::u16string text = page.download(source.address(choice));
    if (text.empty()) {
        page.setGetEnabled(true);
        return CycleOutcome::NothingDownloaded;
    }

    page.setStatus(u"Parsing...");
    source.extract(std::move(text), page);
    page.setGetEnabled(true);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    page.setStatus(doneText(page.formatSeconds(elapsed.count()), page.rowCount()));
    return CycleOutcome::Listed;
}

} // namespace

CycleOutcome runRefreshCycle(CyclePage& page, const ChartSource& source)
{
    try {
        return refresh(page, source);
    } catch (const std::exception& failure) {
        // Failure's what() is its description; anything else the standard library
        // throws (say, out of memory) ends the run the same way.
        page.setGetEnabled(true);
        page.setStatus(errorText(fromUtf8(failure.what())));
        return CycleOutcome::Failed;
    }
}

} // namespace vandrel
