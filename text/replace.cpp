#include "text/replace.h"

#include "text/case_fold.h"
#include "text/search.h"

#include <algorithm>

namespace vandrel {
namespace {

constexpr auto Exact = [](char16_t c) { return c; };

// Where the next occurrence of any `from` of a set starts, and which one it is.
struct Hit
{
    std::size_t at = std::u16string_view::npos;
    const Replacement* replacement = nullptr;
};

// The characters that one position of the markers of a set may hold, as the range in between.
struct CharRange
{
    char16_t lowest = u'\uFFFF';
    char16_t highest = 0;

    // Takes in `c` and the capital that folds to it.
    void add(char16_t c)
    {
        lowest = std::min({lowest, c, capitalOf(c)});
        highest = std::max({highest, c, capitalOf(c)});
    }

    int width() const { return highest - lowest; }

    // One comparison: below `lowest`, the distance wraps round to a large number.
    bool holds(char16_t c) const
    {
        return static_cast<char16_t>(c - lowest) <= static_cast<char16_t>(width());
    }
};

// Characters compare equal when `fold` makes them equal.
template <typename Fold> class AnyMarker
{
public:
    AnyMarker(std::span<const Replacement> set, Fold fold) : set_(set), fold_(fold)
    {
        if (set_.empty())
            return;
        for (const Replacement& r : set_)
            shortest_ = std::min(shortest_, r.from.size());
        first_ = charsAt(0);
        // A second position to test, where the markers' characters lie closest together: "</td>"
        // and "</tr>" share their ">", the CDDB separators their "/". The later of equals wins.
        other_ = first_;
        for (std::size_t at = 1; at < shortest_; ++at) {
            const CharRange chars = charsAt(at);
            if (chars.width() <= other_.width()) {
                other_ = chars;
                otherAt_ = at;
            }
        }
    }

    Hit find(std::u16string_view text, std::size_t from) const
    {
        if (text.size() < shortest_)
            return {};
        // A start with a character outside the markers' range at either position is ruled out:
        // most characters of a page are.
        const char16_t* chars = text.data();
        const auto mayStart = [chars, first = first_, other = other_,
                               at = otherAt_](std::size_t i) {
            const bool firstFits = first.holds(chars[i]);
            const bool otherFits = other.holds(chars[i + at]);
            return firstFits && otherFits;
        };
        const auto same = [this](char16_t a, char16_t b) { return fold_(a) == fold_(b); };
        const std::size_t end = text.size() - shortest_ + 1;
        for (std::size_t at = firstAccepted(from, end, mayStart); at < end;
             at = firstAccepted(at + 1, end, mayStart)) {
            for (const Replacement& r : set_) {
                if (std::ranges::equal(r.from, text.substr(at, r.from.size()), same))
                    return {at, &r};
            }
        }
        return {};
    }

private:
    // Every character that folds to a marker's character at `at` lies in the range (and with
    // exact comparison maybe its capital too).
    CharRange charsAt(std::size_t at) const
    {
        CharRange range;
        for (const Replacement& r : set_)
            range.add(fold_(r.from[at]));
        return range;
    }

    std::span<const Replacement> set_;
    Fold fold_;
    std::size_t shortest_ = std::u16string_view::npos;
    CharRange first_;
    CharRange other_;
    std::size_t otherAt_ = 0;
};

template <typename Fold>
std::u16string replaceEachFolded(std::u16string text, std::span<const Replacement> set, Fold fold)
{
    const AnyMarker markers(set, fold);
    auto write = text.begin();
    std::size_t done = 0;
    for (Hit hit = markers.find(text, 0); hit.replacement; hit = markers.find(text, done)) {
        write = std::copy(text.begin() + static_cast<std::ptrdiff_t>(done),
                          text.begin() + static_cast<std::ptrdiff_t>(hit.at), write);
        write = std::copy(hit.replacement->to.begin(), hit.replacement->to.end(), write);
        done = hit.at + hit.replacement->from.size();
    }
    write = std::copy(text.begin() + static_cast<std::ptrdiff_t>(done), text.end(), write);
    text.erase(write, text.end());
    return text;
}

} // namespace

std::u16string replaceEach(std::u16string text, std::span<const Replacement> replacements)
{
    return replaceEachFolded(std::move(text), replacements, Exact);
}

std::u16string replaceEachIgnoreCase(std::u16string text, std::span<const Replacement> replacements)
{
    return replaceEachFolded(std::move(text), replacements, FoldAscii);
}

std::u16string replaceAll(std::u16string text, std::u16string_view from, std::u16string_view to)
{
    std::size_t hit = findExact(text, from);
    if (hit == std::u16string::npos)
        return text;
    auto write = text.begin() + static_cast<std::ptrdiff_t>(hit);
    std::size_t done = hit;
    for (; hit != std::u16string::npos; hit = findExact(text, from, done)) {
        write = std::copy(text.begin() + static_cast<std::ptrdiff_t>(done),
                          text.begin() + static_cast<std::ptrdiff_t>(hit), write);
        write = std::copy(to.begin(), to.end(), write);
        done = hit + from.size();
    }
    write = std::copy(text.begin() + static_cast<std::ptrdiff_t>(done), text.end(), write);
    text.erase(write, text.end());
    return text;
}

std::u16string removeChars(std::u16string text, std::u16string_view drop)
{
    if (drop.empty())
        return text;
    // Every character to drop lies between the lowest and the highest of them, which rules out
    // most characters of a page at once.
    const auto range = std::ranges::minmax(drop);
    const char16_t lowest = range.min;
    const auto width = static_cast<char16_t>(range.max - range.min);
    const auto inRange = [lowest, width](char16_t c) {
        return static_cast<char16_t>(c - lowest) <= width;
    };
    const char16_t* chars = text.data();
    std::size_t write = 0;
    std::size_t read = 0;
    while (read < text.size()) {
        // The next few characters one at a time, each written and kept or not: where dropped
        // characters come close together, as the line breaks and indents of a page do.
        for (const std::size_t near = std::min(text.size(), read + search::Near); read < near;
             ++read) {
            const char16_t c = text[read];
            text[write] = c;
            write += !inRange(c) || drop.find(c) == std::u16string_view::npos;
        }
        // Then the run up to the next character that may be dropped, in one move.
        const std::size_t next = firstAccepted(
            read, text.size(), [chars, inRange](std::size_t i) { return inRange(chars[i]); });
        if (write != read)
            std::u16string::traits_type::move(&text[write], &text[read], next - read);
        write += next - read;
        read = next;
    }
    text.resize(write);
    return text;
}

} // namespace vandrel
