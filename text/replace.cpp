#include "text/replace.h"

#include "text/case_fold.h"

#include <algorithm>
#include <array>

namespace vandrel {
namespace {

constexpr auto Exact = [](char16_t c) { return c; };

// Where the next occurrence of any `from` of a set starts, and which one it is.
struct Hit
{
    std::size_t at = std::u16string_view::npos;
    const Replacement* replacement = nullptr;
};

// Characters compare equal when `fold` makes them equal.
template <typename Fold> class AnyMarker
{
public:
    AnyMarker(std::span<const Replacement> set, Fold fold) : set_(set), fold_(fold)
    {
        for (const Replacement& r : set_) {
            const char16_t first = fold_(r.from.front());
            lowest_ = std::min({lowest_, first, capitalOf(first)});
            highest_ = std::max({highest_, first, capitalOf(first)});
        }
    }

    Hit find(std::u16string_view text, std::size_t from) const
    {
        const auto same = [this](char16_t a, char16_t b) { return fold_(a) == fold_(b); };
        for (std::size_t at = from; at < text.size(); ++at) {
            if (text[at] < lowest_ || text[at] > highest_)
                continue;
            for (const Replacement& r : set_) {
                if (std::ranges::equal(r.from, text.substr(at, r.from.size()), same))
                    return {at, &r};
            }
        }
        return {};
    }

private:
    std::span<const Replacement> set_;
    Fold fold_;
    // Every character that folds to the first character of a marker lies in between (and with
    // exact comparison maybe its capital too): most characters of a page are ruled out by this.
    char16_t lowest_ = u'\uFFFF';
    char16_t highest_ = 0;
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
    auto write = text.begin();
    std::size_t done = 0;
    for (auto hit = text.find(from); hit != std::u16string::npos; hit = text.find(from, done)) {
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
    // A table for ASCII keeps the loop free of a branch on the character itself, which the
    // line breaks and indents in every row of a page would keep mispredicting.
    std::array<bool, 128> asciiDrop{};
    for (const char16_t c : drop)
        asciiDrop[c & 127] |= c < 128;
    const bool dropsWide = std::ranges::any_of(drop, [](char16_t c) { return c >= 128; });
    std::size_t write = 0;
    for (const char16_t c : text) {
        const bool dropped =
            c < 128 ? asciiDrop[c] : dropsWide && drop.find(c) != std::u16string_view::npos;
        text[write] = c;
        write += !dropped;
    }
    text.resize(write);
    return text;
}

} // namespace vandrel
