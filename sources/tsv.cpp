#include "sources/tsv.h"

namespace vandrel {

std::u16string tabSeparatedLine(std::span<const std::u16string> cells)
{
    std::u16string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += u'\t';
        for (const char16_t c : cells[i])
            line += c == u'\t' || c == u'\r' || c == u'\n' ? u' ' : c;
    }
    return line + u'\n';
}

} // namespace vandrel
