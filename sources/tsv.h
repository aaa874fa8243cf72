#pragma once

#include <algorithm>
#include <span>
#include <string>
#include <string_view>

namespace vandrel {

// A tab or line break inside a cell becomes a blank, so that it cannot split a row.
inline char16_t blankForBreak(char16_t c)
{
    return c == u'\t' || c == u'\r' || c == u'\n' ? u' ' : c;
}

// One row added to the end of `text` as tab-separated text, ending in "\n": the form in which
// lists are copied and printed. Many rows make one text, without a copy of each line.
template <typename Cells> void appendTabSeparatedLine(std::u16string& text, const Cells& cells)
{
    bool first = true;
    for (const std::u16string_view cell : cells) {
        if (!first)
            text += u'\t';
        first = false;
        const auto start = static_cast<std::ptrdiff_t>(text.size());
        text += cell;
        std::transform(text.begin() + start, text.end(), text.begin() + start, blankForBreak);
    }
    text += u'\n';
}

// The same line on its own.
std::u16string tabSeparatedLine(std::span<const std::u16string> cells);

} // namespace vandrel
