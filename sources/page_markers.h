#pragma once

#include <span>
#include <string>
#include <string_view>

// The fixed texts an extraction looks for in a page, stated in the order it looks for them, so
// that a page of another shape can be told what it lacks. Read only after an extraction failed
// or found no row: the extraction itself never consults them.
namespace vandrel {

// What a marker marks, as the user reads it.
enum class MarkerRole { ListStart, HeaderRowEnd, ListEnd, RowEnd, LineEnd };

// How the extraction looks for a marker in the part of the page it has kept so far, and what it
// keeps then.
enum class MarkerCut {
    After,            // the first occurrence; the text after it is kept
    From,             // the first occurrence; the text from it on is kept
    BeforeFromSecond, // the first occurrence from the second character on; the text before it
    Within,           // any occurrence; the text kept stays as it is (row and line ends)
};

struct PageMarker
{
    std::u16string_view text;
    MarkerRole role;
    MarkerCut cut;
    bool exact = false; // found in this letter case only; otherwise in any
};

// The first of `markers` that `page` does not hold where the extraction looks for it, named with
// its role, where it was looked for and where else the page holds it, if anywhere: for example
// 'the list's end "</table>" is not found after the list's start "<!--END HEADER-->"; the page
// holds it only before the list's start "<!--END HEADER-->"'. Empty when every marker is there.
std::u16string missingMarker(std::span<const PageMarker> markers, std::u16string_view page);

} // namespace vandrel
