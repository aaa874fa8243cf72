#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The four routines with which every source cuts its list out of an HTML page.
// A character is one UTF-16 code unit; case-insensitive searches fold ASCII letters.
// KillTags and Parse hold positions in 16 bits and throw Failure::overflow() past 32,767.
namespace vandrel {

// The text after the first occurrence of Search (case-insensitive); empty when there is none.
// An empty Search gives the whole Text.
std::u16string FindAfter(std::u16string_view Text, std::u16string_view Search);

// The text before the last occurrence of Search (case-insensitive); empty when there is none.
// An empty Search gives the whole Text, as in FindAfter.
std::u16string FindBefore(std::u16string_view Text, std::u16string_view Search);

// Turns every "&nbsp;" (any case) into a blank, then removes every <...> tag.
// Rewrites Data in place and returns it, itself rather than a copy, which a page's extraction
// does not need; on overflow Data keeps the stripping done so far.
const std::u16string& KillTags(std::u16string& Data);

// Field Num (from 1) of Text cut at every Delimiter (exact match); empty when there is none.
std::u16string Parse(std::u16string_view Text, std::u16string_view Delimiter, std::int16_t Num);

} // namespace vandrel
