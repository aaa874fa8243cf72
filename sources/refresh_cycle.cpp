#include "sources/refresh_cycle.h"

#include "text/failure.h"
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

// `text` keeps the page, so that a failure can still be explained.
CycleResult refresh(CyclePage& page, const ChartSource& source, std::u16string_view& text)
{
    page.setGetEnabled(false);
    // A monotonic clock: a run across midnight must not come out negative.
    const auto start = std::chrono::steady_clock::now();
    page.setStatus(u"Downloading List...");
    page.clearList();

    const std::u16string choice = page.choice();
    if (source.choiceCaption)
        page.setCaption(source.choiceCaption(choice));
    text = page.download(source.address(choice));
    if (text.empty()) {
        page.setGetEnabled(true);
        return {CycleOutcome::NothingDownloaded};
    }

    page.setStatus(u"Parsing...");
    source.extract(text, page);
    page.setGetEnabled(true);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    page.setStatus(doneText(page.formatSeconds(elapsed.count()), page.rowCount()));
    if (page.rowCount() > 0)
        return {CycleOutcome::Listed};
    return {CycleOutcome::Listed, missingMarker(source.markers, text)};
}

} // namespace

CycleResult runRefreshCycle(CyclePage& page, const ChartSource& source)
{
    std::u16string_view text;
    try {
        return refresh(page, source, text);
    } catch (const std::exception& failure) {
        // Failure's what() is its description; anything else the standard library
        // throws (say, out of memory) ends the run the same way.
        page.setGetEnabled(true);
        page.setStatus(errorText(fromUtf8(failure.what())));
        // Only a cut that found no marker fails so; an overflow is no change of shape.
        const auto* cut = dynamic_cast<const Failure*>(&failure);
        if (!cut || cut->number() != Failure::invalidArgument().number())
            return {CycleOutcome::Failed};
        return {CycleOutcome::Failed, missingMarker(source.markers, text)};
    }
}

} // namespace vandrel
