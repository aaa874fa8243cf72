#pragma once

#include "tools/sample-server/names.h"

#include <span>
#include <string>
#include <string_view>

// The genres and charts the sample sites publish.
namespace vandrel::sample {

struct Genre
{
    std::string_view key; // as the address writes it
    std::string_view name;
    Style style;
    int albums; // rows of the top albums page, 0 when the site has none
    int songs;  // rows of the top songs page, 0 when the site has none
};

struct Chart
{
    std::string_view key;
    std::string_view name; // already escaped for HTML
    Style style;
    int rows;
};

std::span<const Genre> Genres();
std::span<const Chart> Charts();

// Where the chart site keeps a chart: the Hot 100 at the top, the others under airplay/.
std::string ChartPath(std::string_view key);

} // namespace vandrel::sample
