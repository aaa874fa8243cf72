#include "sources/tsv.h"

#include <algorithm>

namespace vandrel {

namespace {

char16_t blankForBreak(char16_t c)
{
    return c == u'\t' || c == u'\r' || c == u'\n' ? u' ' : c;
}

} // namespace

std::u16string tabSeparatedLine(std::span<const std::u16string> cells)
{
    // A tab between two cells and the line feed at the end.
    std::size_t length = std::max<std::size_t>(cells.size(), 1);
    for (const std::u16string& cell : cells)
        length += cell.size();
    std::u16string line(length, u'\t');
    auto out = line.begin();
    for (const std::u16string& cell : cells)
        out = std::ranges::transform(cell, out, blankForBreak).out + 1;
    line.back() = u'\n';
    return line;
}

} // namespace vandrel
