#include "text/search.h"

namespace vandrel {

namespace {
constexpr auto NotFound = std::u16string_view::npos;
} // namespace

std::size_t findExact(std::u16string_view text, std::u16string_view needle, std::size_t from)
{
    if (needle.empty())
        return from <= text.size() ? from : NotFound;
    if (needle.size() > text.size())
        return NotFound;
    if (needle.size() == 1)
        return findChar(text, needle.front(), from);
    // The needle's first and last characters rule out most starts at once.
    const char16_t* chars = text.data();
    const char16_t first = needle.front();
    const char16_t last = needle.back();
    const std::size_t lastAt = needle.size() - 1;
    const auto mayStart = [chars, first, last, lastAt](std::size_t i) {
        return (chars[i] == first) & (chars[i + lastAt] == last);
    };
    const std::size_t end = text.size() - lastAt;
    for (std::size_t at = firstAccepted(from, end, mayStart); at < end;
         at = firstAccepted(at + 1, end, mayStart)) {
        if (text.substr(at, needle.size()) == needle)
            return at;
    }
    return NotFound;
}

} // namespace vandrel
