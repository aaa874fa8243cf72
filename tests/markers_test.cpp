#include "text/markers.h"

#include "reference_markers.h"
#include "text/failure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace vandrel {
namespace reference {

void PrintTo(const KillTagsOutcome& outcome, std::ostream* os)
{
    *os << (outcome.overflowed ? "overflow" : testing::PrintToString(outcome.result)) << " leaving "
        << testing::PrintToString(outcome.data);
}

void PrintTo(const ParseOutcome& outcome, std::ostream* os)
{
    *os << (outcome.overflowed ? "overflow" : testing::PrintToString(outcome.result));
}

} // namespace reference

namespace {

using reference::KillTagsOutcome;
using reference::ParseOutcome;

std::u16string letters(std::size_t count)
{
    return std::u16string(count, u'x');
}

std::u16string repeat(std::u16string_view piece, int times)
{
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

KillTagsOutcome killTags(std::u16string data)
{
    return reference::runKillTags([](std::u16string& d) { return KillTags(d); }, std::move(data));
}

KillTagsOutcome literalKillTags(std::u16string data)
{
    return reference::runKillTags([](std::u16string& d) { return reference::KillTags(d); },
                                  std::move(data));
}

ParseOutcome parse(const std::u16string& text, const std::u16string& delimiter, std::int16_t num)
{
    return reference::runParse([](auto&&... args) { return Parse(args...); }, text, delimiter, num);
}

ParseOutcome literalParse(const std::u16string& text, const std::u16string& delimiter,
                          std::int16_t num)
{
    return reference::runParse([](auto&&... args) { return reference::Parse(args...); }, text,
                               delimiter, num);
}

void expectOverflowError(const Failure& failure)
{
    EXPECT_EQ(failure.number(), 6);
    EXPECT_EQ(failure.description(), "Overflow");
}

template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

// ---- FindAfter and FindBefore

struct MarkerCase
{
    const char* name;
    std::u16string text;
    std::u16string search;
    std::u16string expected;
    friend void PrintTo(const MarkerCase& c, std::ostream* os) { *os << c.name; }
};

class FindAfterTest : public testing::TestWithParam<MarkerCase>
{
};

TEST_P(FindAfterTest, GivesTheTextAfterTheFirstMarker)
{
    const auto& c = GetParam();
    EXPECT_EQ(FindAfter(c.text, c.search), c.expected);
}

INSTANTIATE_TEST_SUITE_P(markers, FindAfterTest,
                         testing::Values(MarkerCase{"FirstOccurrenceIgnoringCase", u"abcABCx",
                                                    u"ABC", u"ABCx"},
                                         MarkerCase{"UpperCaseInText", u"<TABLE>rows</table>",
                                                    u"<table>", u"rows</table>"},
                                         MarkerCase{"MissingMarker", u"abc", u"abd", u""},
                                         MarkerCase{"MarkerEndsText", u"abc", u"BC", u""},
                                         MarkerCase{"EmptySearch", u"abc", u"", u"abc"},
                                         MarkerCase{"EmptyText", u"", u"a", u""},
                                         MarkerCase{"PartialMatchFirst", u"aab!", u"ab", u"!"},
                                         MarkerCase{"MarkerLongerThanText", u"ab", u"abc", u""},
                                         MarkerCase{"OnlyLettersFold", u"x`y@z", u"@", u"z"},
                                         MarkerCase{"BracketsDoNotFold", u"{a[b", u"[", u"b"}),
                         caseName<MarkerCase>);

class FindBeforeTest : public testing::TestWithParam<MarkerCase>
{
};

TEST_P(FindBeforeTest, GivesTheTextBeforeTheLastMarker)
{
    const auto& c = GetParam();
    EXPECT_EQ(FindBefore(c.text, c.search), c.expected);
}

INSTANTIATE_TEST_SUITE_P(markers, FindBeforeTest,
                         testing::Values(MarkerCase{"LastOccurrence", u"a-b-c", u"-", u"a-b"},
                                         MarkerCase{"LastOccurrenceIgnoringCase", u"abcABCx",
                                                    u"abc", u"abc"},
                                         MarkerCase{"MarkerAtStart", u"-abc", u"-", u""},
                                         MarkerCase{"MarkerEndsText", u"abc-", u"-", u"abc"},
                                         MarkerCase{"MissingMarker", u"abc", u"x", u""},
                                         MarkerCase{"OverlappingOccurrences", u"aaa", u"aa", u"a"},
                                         MarkerCase{"EmptySearch", u"abc", u"", u"abc"},
                                         MarkerCase{"EmptyText", u"", u"a", u""},
                                         MarkerCase{"OnlyLettersFold", u"a`b@c", u"`", u"a"}),
                         caseName<MarkerCase>);

// ---- KillTags

struct KillTagsCase
{
    const char* name;
    std::u16string data;
    std::u16string expected;
    friend void PrintTo(const KillTagsCase& c, std::ostream* os) { *os << c.name; }
};

class KillTagsTest : public testing::TestWithParam<KillTagsCase>
{
};

TEST_P(KillTagsTest, StripsTagsAndRewritesTheCallersText)
{
    const auto& c = GetParam();
    EXPECT_EQ(killTags(c.data), (KillTagsOutcome{c.expected, c.expected, false}));
}

INSTANTIATE_TEST_SUITE_P(
    markers, KillTagsTest,
    testing::Values(KillTagsCase{"RemovesTag", u"a<b>c", u"ac"},
                    KillTagsCase{"UnclosedTagStays", u"a<b", u"a<b"},
                    KillTagsCase{"StopsAtUnclosedTag", u"a<b>c<d", u"ac<d"},
                    KillTagsCase{"CloseMarkBeforeOpenStays", u"x>y<z>w", u"x>yw"},
                    KillTagsCase{"FirstOpenPairsWithFirstClose", u"<<b>>", u">"},
                    KillTagsCase{"OpenMarksInsideTagGo", u"a<b<c>d", u"ad"},
                    KillTagsCase{"TagsBackToBack", u"<a><b>c</b>", u"c"},
                    KillTagsCase{"TagSpanningLines", u"a<b\r\nc>d", u"ad"},
                    KillTagsCase{"LineBreaksStay", u"<p>a\r\n<br>\nb", u"a\r\n\nb"},
                    KillTagsCase{"NbspInCapitals", u"A&NBSP;B", u"A B"},
                    KillTagsCase{"EveryNbspInAnyCase", u"&nbsp;&NbSp;&nBsP;", u"   "},
                    KillTagsCase{"AmpersandBeforeNbsp", u"&&nbsp;", u"& "},
                    KillTagsCase{"NbspNeedsSemicolon", u"a&nbspb&nbsp", u"a&nbspb&nbsp"},
                    KillTagsCase{"NbspSplitByTagStays", u"&nb<i>sp;", u"&nbsp;"},
                    KillTagsCase{"OtherEntitiesStay", u"a&amp;b&lt;", u"a&amp;b&lt;"},
                    KillTagsCase{"Empty", u"", u""}),
    caseName<KillTagsCase>);

struct KillTagsLimitCase
{
    const char* name;
    std::u16string data;
    bool overflows;
    std::u16string dataAfter;
    friend void PrintTo(const KillTagsLimitCase& c, std::ostream* os) { *os << c.name; }
};

class KillTagsLimitTest : public testing::TestWithParam<KillTagsLimitCase>
{
};

TEST_P(KillTagsLimitTest, FailsExactlyPastSixteenBitPositions)
{
    const auto& c = GetParam();
    std::u16string data = c.data;
    try {
        const auto result = KillTags(data);
        EXPECT_FALSE(c.overflows);
        EXPECT_TRUE(result == c.dataAfter);
    } catch (const Failure& failure) {
        EXPECT_TRUE(c.overflows);
        expectOverflowError(failure);
    }
    EXPECT_EQ(data.size(), c.dataAfter.size());
    EXPECT_TRUE(data == c.dataAfter);
}

INSTANTIATE_TEST_SUITE_P(
    markers, KillTagsLimitTest,
    testing::Values(
        KillTagsLimitCase{"CloseAt32766", letters(32764) + u"<>", false, letters(32764)},
        KillTagsLimitCase{"CloseAt32767", letters(32765) + u"<>", true, letters(32765) + u"<>"},
        KillTagsLimitCase{"UnclosedOpenAt32767", letters(32766) + u"<", false,
                          letters(32766) + u"<"},
        KillTagsLimitCase{"UnclosedOpenAt32768", letters(32767) + u"<", true,
                          letters(32767) + u"<"},
        KillTagsLimitCase{"LongTagCloseAt32766", u"<" + letters(32764) + u">x", false, u"x"},
        KillTagsLimitCase{"LongTagCloseAt32767", u"<" + letters(32765) + u">x", true,
                          u"<" + letters(32765) + u">x"},
        KillTagsLimitCase{"NoOpenMarkNeverFails", letters(40000) + u">", false,
                          letters(40000) + u">"},
        KillTagsLimitCase{"ManyTagsAtTheStart", repeat(u"<b>", 20000) + u"x", false, u"x"},
        KillTagsLimitCase{"StrippedTagsShiftPositions", u"<i>" + letters(32764) + u"<>", false,
                          letters(32764)},
        KillTagsLimitCase{"NbspShortensFirst", u"&nbsp;" + letters(32763) + u"<>", false,
                          u" " + letters(32763)},
        KillTagsLimitCase{"FailureKeepsStrippingSoFar", u"&NBSP;<i>" + letters(32764) + u"<><b>",
                          true, u" " + letters(32764) + u"<><b>"},
        KillTagsLimitCase{"NbspInsideTagShortensIt", u"<&nbsp;" + letters(32763) + u">x", false,
                          u"x"},
        KillTagsLimitCase{"NbspInsideTagCloseAt32767", u"<&nbsp;" + letters(32764) + u">x", true,
                          u"< " + letters(32764) + u">x"}),
    caseName<KillTagsLimitCase>);

// Texts made of the pieces KillTags reacts to, so that tags, entities and split entities meet.
std::u16string randomMarkup(std::mt19937& rng, int pieces)
{
    static const std::u16string_view alphabet[] = {u"<",   u">",   u"<",  u">",  u"&nb",
                                                   u"sp;", u"a",   u"Zq", u"\r", u"\n",
                                                   u"&",   u"<b>", u"x",  u"y",  u"\r\n"};
    std::u16string text;
    for (int i = 0; i < pieces; ++i) {
        if (rng() % 6 == 0) {
            for (char16_t c : std::u16string_view(u"&nbsp;"))
                text += rng() % 2 || c < u'a' ? c : static_cast<char16_t>(c - u'a' + u'A');
        } else {
            text += alphabet[rng() % std::size(alphabet)];
        }
    }
    return text;
}

// A text whose later tags lie around the 16-bit limit once its head is stripped.
std::u16string markupNearLimit(std::mt19937& rng)
{
    std::u16string head = randomMarkup(rng, static_cast<int>(rng() % 40));
    const std::size_t target = 32767 - 40 + rng() % 60;
    head += letters(target > head.size() ? target - head.size() : 0);
    return head + randomMarkup(rng, static_cast<int>(rng() % 40));
}

std::u16string shortMarkup(std::mt19937& rng)
{
    return randomMarkup(rng, static_cast<int>(rng() % 30));
}

struct KillTagsDifferentialCase
{
    const char* name;
    std::u16string (*makeText)(std::mt19937&);
    int texts;
    int minOverflows;
    int maxOverflows;
    friend void PrintTo(const KillTagsDifferentialCase& c, std::ostream* os) { *os << c.name; }
};

class KillTagsDifferentialTest : public testing::TestWithParam<KillTagsDifferentialCase>
{
};

TEST_P(KillTagsDifferentialTest, MatchesTheLiteralAlgorithm)
{
    const auto& c = GetParam();
    std::mt19937 rng(20240601);
    int overflows = 0;
    for (int i = 0; i < c.texts; ++i) {
        const auto text = c.makeText(rng);
        const auto outcome = killTags(text);
        ASSERT_EQ(outcome, literalKillTags(text)) << "text number " << i;
        overflows += outcome.overflowed;
    }
    EXPECT_GE(overflows, c.minOverflows);
    EXPECT_LE(overflows, c.maxOverflows);
}

INSTANTIATE_TEST_SUITE_P(
    markers, KillTagsDifferentialTest,
    testing::Values(KillTagsDifferentialCase{"ShortTexts", shortMarkup, 20000, 0, 0},
                    KillTagsDifferentialCase{"AroundTheLimit", markupNearLimit, 600, 50, 550}),
    caseName<KillTagsDifferentialCase>);

// ---- Parse

struct ParseCase
{
    const char* name;
    std::u16string text;
    std::u16string delimiter;
    std::int16_t num;
    std::u16string expected;
    friend void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }
};

class ParseTest : public testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseTest, GivesTheRequestedField)
{
    const auto& c = GetParam();
    EXPECT_EQ(Parse(c.text, c.delimiter, c.num), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    markers, ParseTest,
    testing::Values(ParseCase{"MiddleField", u"a,b,c", u",", 2, u"b"},
                    ParseCase{"LastField", u"a,b,c", u",", 3, u"c"},
                    ParseCase{"PastLastField", u"a,b,c", u",", 4, u""},
                    ParseCase{"TrailingDelimiter", u"a,b,", u",", 3, u""},
                    ParseCase{"LeadingDelimiter", u",a", u",", 1, u""},
                    ParseCase{"EmptyMiddleField", u"a,,b", u",", 2, u""},
                    ParseCase{"FieldAfterEmptyOne", u"a,,b", u",", 3, u"b"},
                    ParseCase{"NoDelimiterFieldOne", u"abc", u",", 1, u"abc"},
                    ParseCase{"NoDelimiterFieldTwo", u"abc", u",", 2, u""},
                    ParseCase{"TwoCharDelimiter", u"a::b::c", u"::", 2, u"b"},
                    ParseCase{"OverlappingDelimiter", u"a:::b", u"::", 2, u":b"},
                    ParseCase{"ExactComparison", u"aXb", u"x", 2, u""},
                    ParseCase{"ExactComparisonFieldOne", u"aXb", u"x", 1, u"aXb"},
                    ParseCase{"DelimiterOnly", u",", u",", 2, u""},
                    ParseCase{"EmptyText", u"", u",", 1, u""},
                    ParseCase{"EmptyDelimiter", u"abc", u"", 1, u""},
                    ParseCase{"NumZero", u"a,b", u",", 0, u""},
                    ParseCase{"NumNegative", u"a,b", u",", -1, u""},
                    ParseCase{"NumMinimum", u"a,b", u",", INT16_MIN, u""},
                    ParseCase{"NumMaximum", u"a,b", u",", INT16_MAX, u""},
                    ParseCase{"VersionBetweenMarkers", u"x<!-- Version -->0.2.3<!-- Version -->y",
                              u"<!-- Version -->", 2, u"0.2.3"},
                    ParseCase{"VersionToTheEnd", u"x<!-- Version -->0.2.3\r\n<b>",
                              u"<!-- Version -->", 2, u"0.2.3\r\n<b>"},
                    ParseCase{"VersionMarkerInCapitals", u"x<!-- VERSION -->0.2.3",
                              u"<!-- Version -->", 2, u""}),
    caseName<ParseCase>);

struct ParseLimitCase
{
    const char* name;
    std::u16string text;
    std::u16string delimiter;
    std::int16_t num;
    bool overflows;
    std::u16string expected;
    friend void PrintTo(const ParseLimitCase& c, std::ostream* os) { *os << c.name; }
};

class ParseLimitTest : public testing::TestWithParam<ParseLimitCase>
{
};

TEST_P(ParseLimitTest, FailsExactlyPastSixteenBitPositions)
{
    const auto& c = GetParam();
    try {
        const auto result = Parse(c.text, c.delimiter, c.num);
        EXPECT_FALSE(c.overflows);
        EXPECT_EQ(result.size(), c.expected.size());
        EXPECT_TRUE(result == c.expected);
    } catch (const Failure& failure) {
        EXPECT_TRUE(c.overflows);
        expectOverflowError(failure);
    }
}

INSTANTIATE_TEST_SUITE_P(
    markers, ParseLimitTest,
    testing::Values(
        ParseLimitCase{"WholeTextOf32766", letters(32766), u",", 1, false, letters(32766)},
        ParseLimitCase{"WholeTextOf32767", letters(32767), u",", 1, true, u""},
        ParseLimitCase{"PassedDelimiterEndsAt32766", letters(32765) + u",,b", u",", 2, false, u""},
        ParseLimitCase{"PassedDelimiterEndsAt32767", letters(32765) + u",,b", u",", 3, true, u""},
        ParseLimitCase{"PassedLongDelimiterEndsAt32766", letters(32764) + u"::::b", u"::", 2, false,
                       u""},
        ParseLimitCase{"PassedLongDelimiterEndsAt32767", letters(32765) + u"::b", u"::", 2, true,
                       u""},
        ParseLimitCase{"PassedDelimiterBeyondLimit", letters(32767) + u",b", u",", 3, true, u""},
        ParseLimitCase{"EndingDelimiterAt32767", letters(32766) + u",b", u",", 1, false,
                       letters(32766)},
        ParseLimitCase{"EndingDelimiterAt32768", letters(32767) + u",b", u",", 1, true, u""},
        ParseLimitCase{"LastFieldOfTextOf32766", u"a," + letters(32764), u",", 2, false,
                       letters(32764)},
        ParseLimitCase{"LastFieldOfTextOf32767", u"a," + letters(32765), u",", 2, true, u""},
        ParseLimitCase{"MissingFieldNeverFails", letters(40000), u",", 2, false, u""},
        ParseLimitCase{"EarlyFieldOfLongText", u"a," + letters(40000), u",", 1, false, u"a"}),
    caseName<ParseLimitCase>);

std::u16string randomFields(std::mt19937& rng, int pieces)
{
    static const std::u16string_view alphabet[] = {u",", u";", u"a", u"b", u",,", u",;", u"ab"};
    std::u16string text;
    for (int i = 0; i < pieces; ++i)
        text += alphabet[rng() % std::size(alphabet)];
    return text;
}

std::u16string shortFields(std::mt19937& rng)
{
    return randomFields(rng, static_cast<int>(rng() % 12));
}

// A text whose middle fields end around the 16-bit limit.
std::u16string fieldsNearLimit(std::mt19937& rng)
{
    std::u16string text = randomFields(rng, static_cast<int>(rng() % 8));
    text += std::u16string(32767 - 12 - text.size() + rng() % 16, u'x');
    return text + randomFields(rng, static_cast<int>(rng() % 8));
}

struct ParseDifferentialCase
{
    const char* name;
    std::u16string (*makeText)(std::mt19937&);
    int texts;
    std::int16_t maxNum;
    friend void PrintTo(const ParseDifferentialCase& c, std::ostream* os) { *os << c.name; }
};

class ParseDifferentialTest : public testing::TestWithParam<ParseDifferentialCase>
{
};

TEST_P(ParseDifferentialTest, MatchesTheLiteralAlgorithm)
{
    const auto& c = GetParam();
    std::mt19937 rng(1999);
    for (int i = 0; i < c.texts; ++i) {
        const auto text = c.makeText(rng);
        for (const std::u16string delimiter : {u",", u";", u",;", u",,", u"a", u""})
            for (std::int16_t num = -1; num <= c.maxNum; ++num)
                ASSERT_EQ(parse(text, delimiter, num), literalParse(text, delimiter, num))
                    << "text number " << i << ", delimiter " << testing::PrintToString(delimiter)
                    << ", field " << num;
    }
}

INSTANTIATE_TEST_SUITE_P(markers, ParseDifferentialTest,
                         testing::Values(ParseDifferentialCase{"ShortTexts", shortFields, 3000, 12},
                                         ParseDifferentialCase{"AroundTheLimit", fieldsNearLimit,
                                                               100, 8}),
                         caseName<ParseDifferentialCase>);

// ---- FindAfter and FindBefore against lower-cased searches

struct FindDifferentialCase
{
    const char* name;
    std::u16string (*find)(std::u16string_view, std::u16string_view);
    std::u16string (*literal)(const std::u16string&, const std::u16string&);
    friend void PrintTo(const FindDifferentialCase& c, std::ostream* os) { *os << c.name; }
};

class FindDifferentialTest : public testing::TestWithParam<FindDifferentialCase>
{
};

TEST_P(FindDifferentialTest, MatchesLowerCasedSearches)
{
    static const char16_t alphabet[] = {u'a', u'A', u'b', u'B', u'@', u'`', u'-'};
    std::mt19937 rng(4);
    auto randomText = [&](std::size_t length) {
        std::u16string text;
        for (std::size_t i = 0; i < length; ++i)
            text += alphabet[rng() % std::size(alphabet)];
        return text;
    };
    for (int i = 0; i < 20000; ++i) {
        const auto text = randomText(rng() % 12);
        const auto search = randomText(rng() % 3);
        ASSERT_EQ(GetParam().find(text, search), GetParam().literal(text, search));
    }
}

INSTANTIATE_TEST_SUITE_P(
    markers, FindDifferentialTest,
    testing::Values(FindDifferentialCase{"FindAfter", FindAfter, reference::FindAfter},
                    FindDifferentialCase{"FindBefore", FindBefore, reference::FindBefore}),
    caseName<FindDifferentialCase>);

} // namespace
} // namespace vandrel
