#pragma once

#include <string_view>
#include <vector>

// Cuts that give views into the text, so that a chain of them copies a page once at most.
// Markers are found in any letter case; delimiters and blanks match exactly.
namespace vandrel {

// The text after the first occurrence of `marker`, as FindAfter gives it: empty when there is
// none, the whole text for an empty marker.
std::u16string_view afterFirst(std::u16string_view text, std::u16string_view marker);

// The text from the first occurrence of `marker` on, the marker included;
// Failure::invalidArgument() when there is none.
std::u16string_view cutFrom(std::u16string_view text, std::u16string_view marker);

// The text before the first occurrence of `marker` that starts at the second character or
// later; Failure::invalidArgument() when there is none.
std::u16string_view cutBeforeFromSecond(std::u16string_view text, std::u16string_view marker);

// The pieces between the occurrences of `delimiter`, empty pieces included; no pieces at all
// for an empty text.
std::vector<std::u16string_view> split(std::u16string_view text, std::u16string_view delimiter);

// Without leading and trailing blanks (U+0020 only).
std::u16string_view trim(std::u16string_view text);

} // namespace vandrel
