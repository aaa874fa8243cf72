#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Letter case as every case-insensitive search of the program ignores it: the markers are
// plain ASCII, so only ASCII capitals fold; every other character compares exactly.
namespace vandrel {

// Function objects rather than functions, so that the algorithms they are handed to inline them.
inline constexpr auto FoldAscii = [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
};

inline constexpr auto SameIgnoringCase = [](char16_t a, char16_t b) {
    return FoldAscii(a) == FoldAscii(b);
};

// The capital letter that folds to the small letter c; c itself for any other character.
inline char16_t capitalOf(char16_t c)
{
    const auto capital = static_cast<char16_t>(c - (u'a' - u'A'));
    return FoldAscii(capital) == c ? capital : c;
}

// The position of the first occurrence of `marker` (any case) that starts at `from` or later;
// npos when there is none. An empty marker is found at `from`.
std::size_t findIgnoreCase(std::u16string_view text, std::u16string_view marker,
                           std::size_t from = 0);

// The text with its ASCII capitals in lower case.
std::u16string toLower(std::u16string_view text);

} // namespace vandrel
