#include "sources/tsv.h"

namespace vandrel {

std::u16string tabSeparatedLine(std::span<const std::u16string> cells)
{
    std::u16string line;
    appendTabSeparatedLine(line, cells);
    return line;
}

} // namespace vandrel
