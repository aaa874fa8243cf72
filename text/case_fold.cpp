#include "text/case_fold.h"

#include "text/search.h"

#include <algorithm>

namespace vandrel {

std::size_t findIgnoreCase(std::u16string_view text, std::u16string_view marker, std::size_t from)
{
    if (marker.empty())
        return from <= text.size() ? from : std::u16string_view::npos;
    if (marker.size() > text.size())
        return std::u16string_view::npos;
    // The marker's first and last characters rule out most starts at once, the starts of the
    // other tags of a page among them.
    const char16_t* chars = text.data();
    const char16_t first = FoldAscii(marker.front());
    const char16_t firstCapital = capitalOf(first);
    const char16_t last = FoldAscii(marker.back());
    const char16_t lastCapital = capitalOf(last);
    const std::size_t lastAt = marker.size() - 1;
    const auto mayStart = [=](std::size_t i) {
        return ((chars[i] == first) | (chars[i] == firstCapital)) &
               ((chars[i + lastAt] == last) | (chars[i + lastAt] == lastCapital));
    };
    const std::size_t end = text.size() - lastAt;
    for (std::size_t at = firstAccepted(from, end, mayStart); at < end;
         at = firstAccepted(at + 1, end, mayStart)) {
        if (std::ranges::equal(marker, text.substr(at, marker.size()), SameIgnoringCase))
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
