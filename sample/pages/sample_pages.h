#pragma once

#include "sources/chart_source.h"

#include <chrono>
#include <optional>
#include <span>
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
    std::string body;
    std::chrono::milliseconds spread{0}; // how long the server takes to send the body
    std::string contentType = "text/html; charset=utf-8";
};

// What keeps the sample server from serving `sources`: a source without a sample site, or a
// path that two pages claim (the server matches a path whatever the host). Empty when nothing.
std::string routingError(std::span<const ChartSource* const> sources);

// The page served at `path` (the path of the request target, query included), if any.
std::optional<Page> findPage(std::string_view path);

// The choice of `source` whose page is the largest that comes at once and reads well; empty for
// a source without choices.
std::u16string largestChoice(const ChartSource& source);

} // namespace vandrel::sample
