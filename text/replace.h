#pragma once

#include <span>
#include <string>
#include <string_view>

// Replacements over a whole text, each one pass from left to right without overlaps. They
// only ever shorten the text, so each rewrites it in its own storage.
namespace vandrel {

struct Replacement
{
    std::u16string_view from; // not empty
    std::u16string_view to;   // no longer than `from`
};

// Every occurrence of any `from` replaced by its `to`. Equals one replaceAll per replacement in
// order as long as no two `from` can overlap and no `to` can be part of a `from`; the caller
// makes sure of that. The IgnoreCase form finds the `from` in any letter case.
std::u16string replaceEach(std::u16string text, std::span<const Replacement> replacements);
std::u16string replaceEachIgnoreCase(std::u16string text,
                                     std::span<const Replacement> replacements);

// Every occurrence of `from` (exact) replaced by `to`, which is no longer.
std::u16string replaceAll(std::u16string text, std::u16string_view from, std::u16string_view to);

// Every character that occurs in `drop` removed.
std::u16string removeChars(std::u16string text, std::u16string_view drop);

} // namespace vandrel
