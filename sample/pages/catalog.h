#pragma once

#include "sample/pages/names.h"
#include "sources/chart_source.h"

#include <string>
#include <string_view>

// What the sample sites publish for each drop-down item of the program: an invented name, a
// style and a size. Which items there are is the sources' own list.
namespace vandrel::sample {

struct Genre
{
    std::string_view key; // as the address writes it
    std::string_view name;
    Style style;
    int albums; // rows of the top albums page, for the genres that list offers
    int songs;  // rows of the top songs page, for the genres that list offers
};

struct Chart
{
    std::string_view key;
    std::string_view name; // already escaped for HTML
    Style style;
    int rows;
};

// A drop-down item as its address writes it: in lower case.
std::string key(std::u16string_view choice);

// The genre or chart of a key; std::out_of_range for a key the sites do not know.
const Genre& findGenre(std::string_view key);
const Chart& findChart(std::string_view key);

// The path of the address that `source` requests for `choice`.
std::string pathOf(const ChartSource& source, std::u16string_view choice = {});

} // namespace vandrel::sample
