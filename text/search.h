#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The searches that look at every character of a page, written so that the compiler turns them
// into vector instructions: each block of positions is tested as a whole, without stopping at a
// hit, and only the block that holds one is asked where.
namespace vandrel {

namespace search {

// The positions tested at once, and before them the positions tested one at a time: between the
// tags of a page most hits lie within a block's length, where single tests find them soonest.
inline constexpr std::int16_t Block = 32;
inline constexpr std::size_t Near = 32;

// Whether `accepts` takes any of the Block positions from `at` on.
template <typename Accepts> bool anyAccepted(std::size_t at, Accepts accepts)
{
    std::uint16_t any = 0;
    for (std::int16_t i = 0; i < Block; ++i)
        any |= static_cast<std::uint16_t>(accepts(at + static_cast<std::size_t>(i)));
    return any != 0;
}

// The first of the Block positions from `at` on that `accepts` takes, as an offset from `at`;
// Block or more when there is none. Adding instead of choosing keeps the loop free of branches.
template <typename Accepts> std::size_t firstOffset(std::size_t at, Accepts accepts)
{
    std::int16_t first = 2 * Block;
    for (std::int16_t i = 0; i < Block; ++i) {
        const bool accepted = accepts(at + static_cast<std::size_t>(i));
        first = std::min(first, static_cast<std::int16_t>(i + Block * !accepted));
    }
    return static_cast<std::size_t>(first);
}

} // namespace search

// The first position from `from` up to `end` (excluded) that `accepts` takes; `end` when there
// is none. `accepts` only reads, and combines tests that read characters with & and | rather
// than && and ||: the compiler vectorises a block only when it may read every character the tests
// name, without a branch.
template <typename Accepts>
std::size_t firstAccepted(std::size_t from, std::size_t end, Accepts accepts)
{
    std::size_t at = from;
    for (const std::size_t near = std::min(end, from + search::Near); at < near; ++at) {
        if (accepts(at))
            return at;
    }
    for (; at < end && end - at >= search::Block; at += search::Block) {
        if (search::anyAccepted(at, accepts))
            return at + search::firstOffset(at, accepts);
    }
    for (; at < end; ++at) {
        if (accepts(at))
            return at;
    }
    return end;
}

// The position of the first `c` at `from` or later; npos when there is none.
inline std::size_t findChar(std::u16string_view text, char16_t c, std::size_t from = 0)
{
    const char16_t* chars = text.data();
    const std::size_t at =
        firstAccepted(from, text.size(), [chars, c](std::size_t i) { return chars[i] == c; });
    return at < text.size() ? at : std::u16string_view::npos;
}

// The position of the first occurrence of `needle` (exact match) at `from` or later; npos when
// there is none. An empty needle is found at `from`. The same as std::u16string_view::find.
std::size_t findExact(std::u16string_view text, std::u16string_view needle, std::size_t from = 0);

} // namespace vandrel
