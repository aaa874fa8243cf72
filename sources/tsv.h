#pragma once

#include <span>
#include <string>

namespace vandrel {

// One row as tab-separated text, ending in "\n": the form in which lists are copied and
// printed. A tab or line break inside a cell becomes a blank, so it cannot split the row.
std::u16string tabSeparatedLine(std::span<const std::u16string> cells);

} // namespace vandrel
