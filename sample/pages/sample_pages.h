#pragma once

#include "sources/chart_source.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// The invented pages of the sample server: every address the program requests, with made-up
// charts in the shapes the real sites used. The same pages every time.
namespace vandrel::sample {

inline constexpr std::string_view NewestVersion = "0.2.0";

// Addresses that show the program's failure paths on purpose.
inline constexpr std::string_view ChangedAlbumGenre = "celtic"; // end marker gone: error text
inline constexpr std::string_view MissingChart = "latintracks"; // 404
inline constexpr std::string_view SlowChart = "rap";            // body trickles out

// Whether the page of a drop-down item gives no list on purpose (its shape changed, or it is
// missing).
bool listsNothing(std::u16string_view choice);

struct Page
{
    std::string contentType;
    std::string body;
    std::chrono::milliseconds spread{0}; // how long the server takes to send the body
};

// The page served at `path` (the path of the request target, query included), if any.
std::optional<Page> findPage(std::string_view path);

// The choice of `source` whose page is the largest that comes at once and reads well; empty for
// a source without choices.
std::u16string largestChoice(const ChartSource& source);

} // namespace vandrel::sample
