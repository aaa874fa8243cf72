#include "text/line_ends.h"

#include <string_view>

namespace vandrel {

std::u16string crLfForBareLf(std::u16string text)
{
    const auto bare = [&](std::size_t i) {
        return text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r');
    };
    std::size_t first = 0;
    while (first < text.size() && !bare(first))
        ++first;
    if (first == text.size())
        return text;
    std::u16string result;
    result.reserve(text.size());
    result.append(text, 0, first);
    for (std::size_t i = first; i < text.size(); ++i) {
        if (bare(i))
            result.push_back(u'\r');
        result.push_back(text[i]);
    }
    return result;
}

std::u16string collapseCrLfRuns(std::u16string text)
{
    constexpr std::u16string_view crLf = u"\r\n";
    const std::u16string_view read = text;
    std::size_t write = 0;
    for (std::size_t i = 0; i < read.size();) {
        if (read.substr(i, 2) != crLf) {
            text[write++] = read[i++];
            continue;
        }
        text[write++] = u'\r';
        text[write++] = u'\n';
        while (read.substr(i, 2) == crLf)
            i += 2;
    }
    text.resize(write);
    return text;
}

} // namespace vandrel
