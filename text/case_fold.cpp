#include "text/case_fold.h"

#include <algorithm>

namespace vandrel {

// A plain loop over the possible starts: on tag-dense pages the first character of a marker
// ("<") comes every few characters, so skipping ahead by blocks does not pay.
std::size_t findIgnoreCase(std::u16string_view text, std::u16string_view marker, std::size_t from)
{
    if (marker.empty())
        return from <= text.size() ? from : std::u16string_view::npos;
    if (marker.size() > text.size())
        return std::u16string_view::npos;
    // The characters that fold to the marker's first one.
    const char16_t lower = FoldAscii(marker.front());
    const char16_t upper = capitalOf(lower);
    const std::u16string_view rest = marker.substr(1);
    const std::size_t end = text.size() - marker.size() + 1;
    for (std::size_t at = from; at < end; ++at) {
        const char16_t c = text[at];
        // Testing the last character next rules out most starts of other tags at once.
        if ((c == lower || c == upper) && SameIgnoringCase(text[at + rest.size()], marker.back()) &&
            std::ranges::equal(rest, text.substr(at + 1, rest.size()), SameIgnoringCase))
            return at;
    }
    return std::u16string_view::npos;
}

std::u16string toLower(std::u16string_view text)
{
    std::u16string lower(text.size(), u'\0');
    std::ranges::transform(text, lower.begin(), FoldAscii);
    return lower;
}

} // namespace vandrel
