#pragma once

#include "text/case_fold.h"
#include "text/cuts.h"
#include "text/failure.h"
#include "text/field_cursor.h"
#include "text/line_ends.h"
#include "text/markers.h"
#include "text/replace.h"
#include "text/utf8.h"

#include <algorithm>

// Slow, literal versions of the toolkit: 1-based positions held in 16-bit integers that
// overflow the way the original arithmetic does, searches that rescan from the start, and case
// ignored by comparing lower-cased copies. firstDifference holds the toolkit against them, for
// the differential test and the fuzz target alike.
namespace vandrel::reference {

using Text = std::u16string;
constexpr auto NotFound = Text::npos;

inline std::int16_t int16(long value)
{
    return value < INT16_MIN || value > INT16_MAX ? throw Failure::overflow()
                                                  : static_cast<std::int16_t>(value);
}

// 1-based position of the first occurrence of what at or after start, 0 when there is none.
inline long inStr(long start, const Text& text, const Text& what)
{
    const auto at = text.find(what, static_cast<std::size_t>(start - 1));
    return at == NotFound ? 0 : static_cast<long>(at) + 1;
}

inline Text lower(Text text)
{
    for (char16_t& c : text)
        c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    return text;
}

// Every `from` replaced by `to`, left to right without overlaps; in any case when asked.
inline Text replace(const Text& text, const Text& from, const Text& to, bool anyCase = false)
{
    const Text key = anyCase ? lower(text) : text;
    const Text what = anyCase ? lower(from) : from;
    Text out;
    out.reserve(text.size());
    std::size_t done = 0;
    for (auto at = key.find(what); !what.empty() && at != NotFound; at = key.find(what, done)) {
        out.append(text, done, at - done).append(to);
        done = at + what.size();
    }
    return out.append(text, done);
}

inline Text KillTags(Text& Data)
{
    Data = replace(Data, u"&nbsp;", u" ", true);
    std::int16_t a = int16(inStr(1, Data, u"<"));
    std::int16_t b = a > 0 ? int16(inStr(a, Data, u">")) : 0;
    while (b >= 1) {
        Data = Data.substr(0, a - 1) + Data.substr(int16(b + 1) - 1);
        a = int16(inStr(1, Data, u"<"));
        b = a > 0 ? int16(inStr(a, Data, u">")) : 0;
    }
    return Data;
}

inline Text Parse(const Text& Text, const reference::Text& Delimiter, std::int16_t Num)
{
    if (Text.empty() || Delimiter.empty() || Num < 1)
        return {};
    std::int16_t p = 1;
    for (int i = 1; i <= Num - 1; ++i) {
        const long r = inStr(p, Text, Delimiter);
        if (r == 0)
            return {};
        p = int16(r + static_cast<long>(Delimiter.size()));
    }
    const long r = inStr(p, Text, Delimiter);
    const std::int16_t e = int16(r != 0 ? r : static_cast<long>(Text.size()) + 1);
    return Text.substr(p - 1, e - p);
}

// A routine's result, or "!" and the description of its failure.
template <typename Run> Text outcome(Run run)
{
    try {
        return Text(run());
    } catch (const Failure& failure) {
        return u"!" + fromUtf8(failure.description());
    }
}

// The name of the first routine that differs from its literal version for text t, marker m and
// field number num; empty when all agree. The marks are the row, cell and part marks of the
// extractions.
inline std::string firstDifference(const Text& t, const Text& m, std::int16_t num)
{
    const auto first = lower(t).find(lower(m));
    const auto second = lower(t).find(lower(m), 1);
    const auto last = m.empty() ? t.size() : lower(t).rfind(lower(m));
    const Text after = first == NotFound ? Text() : t.substr(first + m.size());
    const Text invalid = outcome([]() -> Text { throw Failure::invalidArgument(); });
    Text fast = t, slow = t, pieces, trimmed = t, collapsed = t;
    const bool killed = outcome([&] { return vandrel::KillTags(fast); }) !=
                            outcome([&] { return KillTags(slow); }) ||
                        fast != slow;
    // Parse, and a cursor over rising field numbers and back.
    FieldCursor cursor(t, m);
    bool fields = false;
    for (const int n : {num + 0, num + 1, num + 3, 1, num + 6}) {
        const auto k = static_cast<std::int16_t>(n);
        const Text field = outcome([&] { return Parse(t, m, k); });
        fields = fields || outcome([&] { return vandrel::Parse(t, m, k); }) != field ||
                 outcome([&] { return cursor.field(k); }) != field;
    }
    for (const std::u16string_view piece : split(t, m))
        pieces += Text(piece) + u'\uFFFF';
    trimmed.erase(0, trimmed.find_first_not_of(u' '));
    trimmed.erase(trimmed.find_last_not_of(u' ') + 1);
    for (Text before; before != collapsed; collapsed = replace(collapsed, u"\r\n\r\n", u"\r\n"))
        before = collapsed;
    const Replacement marks[] = {
        {u"</td>", u"\2"}, {u"</tr>", u"\1"}, {u"</A> : <a", u"\3<a"}, {u"</span> - <a", u"\3<a"}};
    const std::pair<const char*, bool> checks[] = {
        {"FindAfter", vandrel::FindAfter(t, m) != after},
        {"afterFirst", afterFirst(t, m) != after},
        {"FindBefore",
         vandrel::FindBefore(t, m) != (last == NotFound ? Text() : t.substr(0, last))},
        {"KillTags", killed},
        {"Parse and FieldCursor", fields},
        {"cutFrom",
         outcome([&] { return cutFrom(t, m); }) != (first == NotFound ? invalid : t.substr(first))},
        {"cutBeforeFromSecond", outcome([&] { return cutBeforeFromSecond(t, m); }) !=
                                    (second == NotFound ? invalid : t.substr(0, second))},
        {"split", pieces != (t.empty() ? Text() : replace(t, m, u"\uFFFF") + u'\uFFFF')},
        {"trim", trim(t) != trimmed},
        {"toLower", toLower(t) != lower(t)},
        {"replaceAll", !m.empty() && replaceAll(t, m, u"\1") != replace(t, m, u"\1")},
        {"replaceEach", replaceEach(t, marks) !=
                            replace(replace(replace(replace(t, u"</td>", u"\2"), u"</tr>", u"\1"),
                                            u"</A> : <a", u"\3<a"),
                                    u"</span> - <a", u"\3<a")},
        {"replaceEachIgnoreCase",
         replaceEachIgnoreCase(t, std::span(marks).first(2)) !=
             replace(replace(t, u"</td>", u"\2", true), u"</tr>", u"\1", true)},
        {"removeChars", removeChars(t, u"\r\n\t") !=
                            replace(replace(replace(t, u"\r", u""), u"\n", u""), u"\t", u"")},
        {"crLfForBareLf", crLfForBareLf(t) != replace(replace(t, u"\r\n", u"\n"), u"\n", u"\r\n")},
        {"collapseCrLfRuns", collapseCrLfRuns(t) != collapsed},
    };
    const auto differs =
        std::ranges::find_if(checks, [](const auto& check) { return check.second; });
    return differs == std::end(checks) ? "" : differs->first;
}

} // namespace vandrel::reference
