#pragma once

#include "text/failure.h"

#include <cstdint>
#include <string>
#include <string_view>

// Slow, literal versions of the marker routines for differential tests: 1-based positions
// held in 16-bit integers that overflow the way the original arithmetic does, and KillTags
// rescanning its text from the start after every tag it cuts out.
namespace vandrel::reference {

inline std::int16_t int16(long value)
{
    if (value < INT16_MIN || value > INT16_MAX)
        throw Failure::overflow();
    return static_cast<std::int16_t>(value);
}

// 1-based position of the first occurrence of what at or after start, 0 when there is none.
inline long InStr(long start, const std::u16string& text, std::u16string_view what)
{
    const auto at = text.find(what, static_cast<std::size_t>(start - 1));
    return at == std::u16string::npos ? 0 : static_cast<long>(at) + 1;
}

inline std::u16string lowerAscii(std::u16string text)
{
    for (auto& c : text)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c + (u'a' - u'A'));
    return text;
}

inline std::u16string FindAfter(const std::u16string& Text, const std::u16string& Search)
{
    const auto r = lowerAscii(Text).find(lowerAscii(Search));
    return r == std::u16string::npos ? u"" : Text.substr(r + Search.size());
}

// An empty Search gives the whole Text, as the toolkit has chosen.
inline std::u16string FindBefore(const std::u16string& Text, const std::u16string& Search)
{
    if (Search.empty())
        return Text;
    const auto r = lowerAscii(Text).rfind(lowerAscii(Search));
    return r == std::u16string::npos ? u"" : Text.substr(0, r);
}

inline std::u16string ReplaceNbsp(const std::u16string& text)
{
    const std::u16string lower = lowerAscii(text);
    std::u16string replaced;
    std::size_t from = 0;
    for (auto at = lower.find(u"&nbsp;"); at != std::u16string::npos;
         at = lower.find(u"&nbsp;", from)) {
        replaced += text.substr(from, at - from) + u" ";
        from = at + 6;
    }
    return replaced + text.substr(from);
}

inline std::u16string KillTags(std::u16string& Data)
{
    Data = ReplaceNbsp(Data);
    std::int16_t a = int16(InStr(1, Data, u"<"));
    if (a == 0)
        return Data;
    std::int16_t b = int16(InStr(a, Data, u">"));
    while (b >= 1) {
        Data = Data.substr(0, a - 1) + Data.substr(int16(b + 1) - 1);
        a = int16(InStr(1, Data, u"<"));
        b = a > 0 ? int16(InStr(a, Data, u">")) : 0;
    }
    return Data;
}

inline std::u16string Parse(std::u16string Text, std::u16string Delimiter, std::int16_t Num)
{
    if (Text.empty() || Delimiter.empty() || Num < 1)
        return {};
    std::int16_t p = 1;
    for (int i = 1; i <= Num - 1; ++i) {
        const long r = InStr(p, Text, Delimiter);
        if (r == 0)
            return {};
        p = int16(r + static_cast<long>(Delimiter.size()));
    }
    const long r = InStr(p, Text, Delimiter);
    const std::int16_t e = int16(r != 0 ? r : static_cast<long>(Text.size()) + 1);
    return Text.substr(p - 1, e - p);
}

// What a KillTags call left behind: its result, the caller's text and whether it overflowed.
struct KillTagsOutcome
{
    std::u16string result;
    std::u16string data;
    bool overflowed = false;
    bool operator==(const KillTagsOutcome&) const = default;
};

template <typename Routine> KillTagsOutcome runKillTags(Routine killTags, std::u16string data)
{
    try {
        std::u16string result = killTags(data);
        return {std::move(result), std::move(data), false};
    } catch (const Failure& failure) {
        if (failure.number() != Failure::overflow().number())
            throw;
        return {{}, std::move(data), true};
    }
}

// What a Parse call gave back, or that it overflowed.
struct ParseOutcome
{
    std::u16string result;
    bool overflowed = false;
    bool operator==(const ParseOutcome&) const = default;
};

template <typename Routine>
ParseOutcome runParse(Routine parse, const std::u16string& text, const std::u16string& delimiter,
                      std::int16_t num)
{
    try {
        return {parse(text, delimiter, num), false};
    } catch (const Failure& failure) {
        if (failure.number() != Failure::overflow().number())
            throw;
        return {{}, true};
    }
}

} // namespace vandrel::reference
