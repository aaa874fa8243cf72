#pragma once

#include "sample/pages/dice.h"
#include "sample/pages/plain_pages.h"
#include "sample/pages/sample_pages.h"
#include "sources/chart_source.h"

#include <optional>
#include <string>
#include <string_view>

// The sample sites: one per chart source, each defined beside its page writer, and the
// program's own website.
namespace vandrel::sample {

struct SampleSite
{
    std::string_view source; // the name of the source it stands in for
    // The page for `choice` (empty for a source without a list) with `dice` seeded by its path;
    // nullopt where the site has none.
    std::optional<Page> (*page)(const ChartSource& source, std::u16string_view choice, Dice& dice);
    // Its page of plain numbered rows, for the benchmarks.
    PlainShape plain;
};

// The site of the source called `source`; null when there is none.
const SampleSite* findSite(std::string_view source);

std::string versionPage(Dice& dice);
std::string homePage(Dice& dice);

} // namespace vandrel::sample
