#pragma once

#include "sample/pages/names.h"
#include "sources/chart_source.h"

#include <string>
#include <string_view>

// What the sample sites publish for each genre of the program's drop-down lists: an invented
// name, a style and a size. Which items there are is the sources' own list.
namespace vandrel::sample {

struct Genre
{
    std::string_view key; // as the address writes it
    std::string_view name;
    Style style;
    int albums; // rows of the top albums page, for the genres that list offers
    int songs;  // rows of the top songs page, for the genres that list offers
};

// A drop-down item as its address writes it: in lower case.
std::string key(std::u16string_view choice);

// The genre of a key; std::out_of_range for a key the sites do not know.
const Genre& findGenre(std::string_view key);

// ASCII text as the server writes it.
std::string narrow(std::u16string_view text);

// The path that `source` requests for `choice`.
std::string choicePath(const ChartSource& source, std::u16string_view choice);

} // namespace vandrel::sample
