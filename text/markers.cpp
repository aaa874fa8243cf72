#include "text/markers.h"

#include "text/failure.h"

#include <algorithm>

namespace vandrel {
namespace {

constexpr auto npos = std::u16string_view::npos;

// The largest 1-based position KillTags and Parse can hold.
constexpr std::size_t maxPosition = 32767;

char16_t foldAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool sameIgnoringCase(char16_t x, char16_t y)
{
    return foldAscii(x) == foldAscii(y);
}

bool equalIgnoringCase(std::u16string_view x, std::u16string_view y)
{
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), sameIgnoringCase);
}

std::u16string blankNbsp(std::u16string_view text)
{
    static constexpr std::u16string_view nbsp = u"&nbsp;";
    std::u16string blanked;
    blanked.reserve(text.size());
    std::size_t copied = 0;
    for (auto at = text.find(u'&'); at != npos; at = text.find(u'&', at + 1)) {
        if (equalIgnoringCase(text.substr(at, nbsp.size()), nbsp)) {
            blanked.append(text.substr(copied, at - copied)).push_back(u' ');
            copied = at + nbsp.size();
        }
    }
    return blanked.append(text.substr(copied));
}

// open and close are 1-based positions in the text as stripped so far; close is 0 when the
// tag is not closed. The position after the closing mark has to fit as well.
bool tagOverflows(std::size_t open, std::size_t close)
{
    return open > maxPosition || close >= maxPosition;
}

} // namespace

std::u16string FindAfter(std::u16string_view Text, std::u16string_view Search)
{
    const auto found =
        std::search(Text.begin(), Text.end(), Search.begin(), Search.end(), sameIgnoringCase);
    if (found == Text.end() && !Search.empty())
        return {};
    return std::u16string(found + static_cast<std::ptrdiff_t>(Search.size()), Text.end());
}

std::u16string FindBefore(std::u16string_view Text, std::u16string_view Search)
{
    const auto found =
        std::find_end(Text.begin(), Text.end(), Search.begin(), Search.end(), sameIgnoringCase);
    if (found == Text.end() && !Search.empty())
        return {};
    return std::u16string(Text.begin(), found);
}

// One pass: what lies before the first "<" holds no "<", so after a tag is cut out the search
// for the next one can resume behind it. Positions count in the text as stripped so far, which
// is what is kept followed by the rest from the current tag on.
std::u16string KillTags(std::u16string& Data)
{
    const std::u16string text = blankNbsp(Data);
    std::u16string kept;
    kept.reserve(text.size());
    std::size_t copied = 0;
    bool overflow = false;
    for (auto open = text.find(u'<'); open != npos; open = text.find(u'<', copied)) {
        kept.append(text, copied, open - copied);
        copied = open;
        const auto close = text.find(u'>', open);
        const auto openPosition = kept.size() + 1;
        overflow = tagOverflows(openPosition, close == npos ? 0 : openPosition + close - open);
        if (overflow || close == npos)
            break;
        copied = close + 1;
    }
    kept.append(text, copied);
    Data = std::move(kept);
    if (overflow)
        throw Failure::overflow();
    return Data;
}

// In 1-based positions a field starts at start + 1 and the requested field ends before end + 1.
std::u16string Parse(std::u16string_view Text, std::u16string_view Delimiter, std::int16_t Num)
{
    if (Text.empty() || Delimiter.empty() || Num < 1)
        return {};
    std::size_t start = 0;
    for (int field = 1; field < Num; ++field) {
        const auto at = Text.find(Delimiter, start);
        if (at == npos)
            return {};
        start = at + Delimiter.size();
        if (start + 1 > maxPosition)
            throw Failure::overflow();
    }
    const auto at = Text.find(Delimiter, start);
    const auto end = at == npos ? Text.size() : at;
    if (end + 1 > maxPosition)
        throw Failure::overflow();
    return std::u16string(Text.substr(start, end - start));
}

} // namespace vandrel
