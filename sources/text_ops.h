#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// Whole-text operations of the extractions, each one pass over the text. Those that take the
// text by value rewrite it in place where the result is no longer.
// "IgnoreCase" folds ASCII letters, as the marker routines do.
namespace vandrel {

// Every occurrence of `from`, found left to right without overlaps, replaced by `to`.
std::u16string ReplaceAll(std::u16string text, std::u16string_view from, std::u16string_view to);

// One replacement of a set that ReplaceEach applies in a single pass.
struct Replacement
{
    std::u16string_view from; // not empty
    std::u16string_view to;   // no longer than `from`
};

// Every occurrence of any `from`, found left to right without overlaps, replaced by its `to`.
// Equals one ReplaceAll per replacement in order as long as no two `from` can overlap and no
// `to` can be part of a `from`; the caller makes sure of that.
std::u16string ReplaceEach(std::u16string text, std::span<const Replacement> replacements);
std::u16string ReplaceEachIgnoreCase(std::u16string text,
                                     std::span<const Replacement> replacements);

// Every character that occurs in `drop` removed.
std::u16string RemoveChars(std::u16string text, std::u16string_view drop);

// Every line feed without a carriage return before it turned into CR LF.
std::u16string CrLfForBareLf(std::u16string text);

// Every run of consecutive CR LF pairs shortened to one pair.
std::u16string CollapseCrLfRuns(std::u16string text);

// The pieces between the occurrences of `delimiter` (exact), empty pieces included;
// no pieces at all for an empty text. The pieces are views into `text`.
std::vector<std::u16string_view> Split(std::u16string_view text, std::u16string_view delimiter);

// Without leading and trailing blanks (U+0020 only); a view into `text`.
std::u16string_view Trim(std::u16string_view text);

// The cuts below give views into `text`, so that a chain of them copies the page once at most.

// The text after the first occurrence of `marker` (any case), as FindAfter gives it: empty when
// there is none, the whole text for an empty marker.
std::u16string_view AfterFirst(std::u16string_view text, std::u16string_view marker);

// The text from the first occurrence of `marker` (any case) on, the marker included;
// Failure::invalidArgument() when there is none.
std::u16string_view CutFrom(std::u16string_view text, std::u16string_view marker);

// The text before the first occurrence of `marker` (any case) that starts at the second
// character or later; Failure::invalidArgument() when there is none.
std::u16string_view CutBeforeFromSecond(std::u16string_view text, std::u16string_view marker);

// "http://" + host + path.
std::u16string HttpAddress(std::u16string_view host, std::u16string_view path);

// The text with its letters in lower case (ASCII, Latin-1, Greek and Cyrillic capitals).
std::u16string ToLower(std::u16string_view text);

} // namespace vandrel
