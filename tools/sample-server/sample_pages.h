#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The invented pages of the sample server: every address the program requests, with made-up
// charts in the shapes the real sites used. The same pages every time.
namespace vandrel::sample {

inline constexpr std::string_view NewestVersion = "0.2.0";

// Addresses that show the program's failure paths on purpose.
inline constexpr std::string_view ChangedAlbumGenre = "celtic"; // end marker gone: error text
inline constexpr std::string_view MissingChart = "latintracks"; // 404
inline constexpr std::string_view SlowChart = "rap";            // body trickles out

struct Page
{
    std::string contentType;
    std::string body;
    std::chrono::milliseconds spread{0}; // how long the server takes to send the body
};

// The page served at `path` (the path of the request target, query included), if any.
std::optional<Page> FindPage(std::string_view path);

// Every page with its path, for seeds and checks.
std::vector<std::pair<std::string, std::string>> AllPages();

} // namespace vandrel::sample
