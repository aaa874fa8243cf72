#include "sources/text_ops.h"

#include "text/failure.h"

#include <algorithm>
#include <array>

namespace vandrel {
namespace {

char16_t FoldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

char16_t UpperAscii(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool SameIgnoringCase(char16_t a, char16_t b)
{
    return FoldAscii(a) == FoldAscii(b);
}

// A plain loop over the possible starts: on tag-dense pages the first character of a marker
// ("<") comes every few characters, so skipping ahead by blocks does not pay.
std::size_t FindIgnoreCase(std::u16string_view text, std::u16string_view marker, std::size_t from)
{
    if (marker.empty())
        return from <= text.size() ? from : std::u16string_view::npos;
    if (marker.size() > text.size())
        return std::u16string_view::npos;
    const char16_t lower = FoldAscii(marker.front());
    const char16_t upper = UpperAscii(lower);
    const std::u16string_view rest = marker.substr(1);
    const std::size_t last = rest.size();
    const std::size_t end = text.size() - marker.size() + 1;
    for (std::size_t at = from; at < end; ++at) {
        const char16_t c = text[at];
        // Testing the last character first rules out most starts of other tags at once.
        if ((c == lower || c == upper) && SameIgnoringCase(text[at + last], marker.back()) &&
            std::ranges::equal(rest, text.substr(at + 1, rest.size()), SameIgnoringCase))
            return at;
    }
    return std::u16string_view::npos;
}

// Where the next occurrence of any `from` of a set starts, and which one it is.
struct Hit
{
    std::size_t at = std::u16string_view::npos;
    const Replacement* replacement = nullptr;
};

template <typename Same> class AnyMarker
{
public:
    AnyMarker(std::span<const Replacement> set, Same same) : set_(set), same_(same)
    {
        for (const Replacement& r : set_) {
            for (const char16_t c : {FoldAscii(r.from.front()), UpperAscii(r.from.front())}) {
                lowest_ = std::min(lowest_, c);
                highest_ = std::max(highest_, c);
            }
        }
    }

    Hit Find(std::u16string_view text, std::size_t from) const
    {
        for (std::size_t at = from; at < text.size(); ++at) {
            if (text[at] < lowest_ || text[at] > highest_)
                continue;
            for (const Replacement& r : set_) {
                if (std::ranges::equal(r.from, text.substr(at, r.from.size()), same_))
                    return {at, &r};
            }
        }
        return {};
    }

private:
    std::span<const Replacement> set_;
    Same same_;
    // Every first character of a marker, in either case, lies in between: most characters of a
    // page are ruled out by this alone.
    char16_t lowest_ = u'\uFFFF';
    char16_t highest_ = 0;
};

template <typename Same>
std::u16string ReplaceEachWith(std::u16string text, std::span<const Replacement> set, Same same)
{
    const AnyMarker markers(set, same);
    auto write = text.begin();
    std::size_t done = 0;
    for (Hit hit = markers.Find(text, 0); hit.replacement; hit = markers.Find(text, done)) {
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

std::u16string ReplaceEach(std::u16string text, std::span<const Replacement> replacements)
{
    return ReplaceEachWith(std::move(text), replacements, std::equal_to<>());
}

std::u16string ReplaceEachIgnoreCase(std::u16string text, std::span<const Replacement> replacements)
{
    return ReplaceEachWith(std::move(text), replacements,
                           [](char16_t a, char16_t b) { return SameIgnoringCase(a, b); });
}

// Rewrites `text` in place when the replacement is no longer than what it replaces: the part
// still to be searched then always lies behind the part written.
std::u16string ReplaceAll(std::u16string text, std::u16string_view from, std::u16string_view to)
{
    if (from.empty())
        return text;
    if (to.size() > from.size()) {
        std::u16string result;
        result.reserve(text.size());
        std::size_t done = 0;
        for (auto hit = text.find(from, done); hit != std::u16string_view::npos;
             hit = text.find(from, done)) {
            result.append(text, done, hit - done).append(to);
            done = hit + from.size();
        }
        return result.append(text, done);
    }
    auto write = text.begin();
    std::size_t done = 0;
    for (auto hit = text.find(from, done); hit != std::u16string_view::npos;
         hit = text.find(from, done)) {
        write = std::copy(text.begin() + static_cast<std::ptrdiff_t>(done),
                          text.begin() + static_cast<std::ptrdiff_t>(hit), write);
        write = std::copy(to.begin(), to.end(), write);
        done = hit + from.size();
    }
    write = std::copy(text.begin() + static_cast<std::ptrdiff_t>(done), text.end(), write);
    text.erase(write, text.end());
    return text;
}

std::u16string RemoveChars(std::u16string text, std::u16string_view drop)
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

std::u16string CrLfForBareLf(std::u16string text)
{
    const auto bare = [&](std::size_t i) {
        return text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r');
    };
    std::size_t first = 0;
    while (first < text.size() && !bare(first))
        ++first;
    if (first == text.size())
        return text;
    std::u16string result;
    result.reserve(text.size());
    result.append(text, 0, first);
    for (std::size_t i = first; i < text.size(); ++i) {
        if (bare(i))
            result.push_back(u'\r');
        result.push_back(text[i]);
    }
    return result;
}

std::u16string CollapseCrLfRuns(std::u16string text)
{
    constexpr std::u16string_view crLf = u"\r\n";
    const std::u16string_view read = text;
    std::size_t write = 0;
    for (std::size_t i = 0; i < read.size();) {
        if (read.substr(i, 2) != crLf) {
            text[write++] = read[i++];
            continue;
        }
        text[write++] = u'\r';
        text[write++] = u'\n';
        while (read.substr(i, 2) == crLf)
            i += 2;
    }
    text.resize(write);
    return text;
}

std::vector<std::u16string_view> Split(std::u16string_view text, std::u16string_view delimiter)
{
    std::vector<std::u16string_view> pieces;
    if (text.empty())
        return pieces;
    if (delimiter.empty())
        return {text};
    std::size_t start = 0;
    for (std::size_t hit = text.find(delimiter); hit != std::u16string_view::npos;
         hit = text.find(delimiter, start)) {
        pieces.push_back(text.substr(start, hit - start));
        start = hit + delimiter.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::u16string_view Trim(std::u16string_view text)
{
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

std::u16string_view AfterFirst(std::u16string_view text, std::u16string_view marker)
{
    const std::size_t hit = FindIgnoreCase(text, marker, 0);
    if (hit == std::u16string_view::npos)
        return {};
    return text.substr(hit + marker.size());
}

std::u16string_view CutFrom(std::u16string_view text, std::u16string_view marker)
{
    const std::size_t hit = FindIgnoreCase(text, marker, 0);
    if (hit == std::u16string_view::npos)
        throw Failure::invalidArgument();
    return text.substr(hit);
}

std::u16string_view CutBeforeFromSecond(std::u16string_view text, std::u16string_view marker)
{
    const std::size_t hit = FindIgnoreCase(text, marker, 1);
    if (hit == std::u16string_view::npos)
        throw Failure::invalidArgument();
    return text.substr(0, hit);
}

std::u16string HttpAddress(std::u16string_view host, std::u16string_view path)
{
    return std::u16string(u"http://").append(host).append(path);
}

std::u16string ToLower(std::u16string_view text)
{
    struct Capitals
    {
        char16_t first, last, shift;
    };
    static constexpr Capitals ranges[] = {
        {u'A', u'Z', 0x20},           {u'\u00C0', u'\u00D6', 0x20}, {u'\u00D8', u'\u00DE', 0x20},
        {u'\u0391', u'\u03A1', 0x20}, {u'\u03A3', u'\u03AB', 0x20}, {u'\u0400', u'\u040F', 0x50},
        {u'\u0410', u'\u042F', 0x20}};
    std::u16string result(text);
    for (char16_t& c : result) {
        for (const Capitals& r : ranges) {
            if (c >= r.first && c <= r.last) {
                c = static_cast<char16_t>(c + r.shift);
                break;
            }
        }
    }
    return result;
}

} // namespace vandrel
