#include "sources/field_cursor.h"
#include "sources/int16.h"
#include "sources/text_ops.h"
#include "text/failure.h"
#include "text/markers.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vandrel {
namespace {

// The replacement the collapse stands for, repeated the slow way until nothing changes.
std::u16string CollapseByRepeating(std::u16string text)
{
    for (std::u16string last; last != text;) {
        last = text;
        text = ReplaceAll(text, u"\r\n\r\n", u"\r\n");
    }
    return text;
}

TEST(TextOps, ReplaceAllScansLeftToRightWithoutOverlaps)
{
    EXPECT_EQ(ReplaceAll(u"aaaa", u"aa", u"a"), u"aa");
    EXPECT_EQ(ReplaceAll(u"x</td>y</TD>", u"</td>", u"|"), u"x|y</TD>");
    EXPECT_EQ(ReplaceAll(u"", u"a", u"b"), u"");
    EXPECT_EQ(ReplaceAll(u"abc", u"", u"-"), u"abc");
    EXPECT_EQ(ReplaceAll(u"<a>1</a><a>", u"<a>", u"[link]"), u"[link]1</a>[link]");
    EXPECT_EQ(ReplaceAll(u"&nbsp;x&nbsp;&nbsp;", u"&nbsp;", u""), u"x");
}

TEST(TextOps, ReplaceEachEqualsOneReplaceAllPerReplacement)
{
    const Replacement marks[] = {{u"</td>", u"|"}, {u"</tr>", u"#"}, {u"</A> : <a", u"%<a"}};
    for (const std::u16string text : {u"", u"</td>", u"a</td>b</tr>c</TD></A> : <a href></A> : <A",
                                      u"</tr></td></t", u"<<</tr>"}) {
        std::u16string oneByOne = text;
        for (const Replacement& r : marks)
            oneByOne = ReplaceAll(oneByOne, r.from, r.to);
        EXPECT_EQ(ReplaceEach(text, marks), oneByOne) << text.size();
    }
}

TEST(TextOps, ReplaceEachIgnoreCaseFoldsAsciiLetters)
{
    const Replacement marks[] = {{u"</td>", u"|"}, {u"</tr>", u"#"}};
    EXPECT_EQ(ReplaceEachIgnoreCase(u"a</TD>b</tR>c</Td", marks), u"a|b#c</Td");
    const Replacement letters[] = {{u"ab", u"-"}};
    EXPECT_EQ(ReplaceEachIgnoreCase(u"xAbyaBzab", letters), u"x-y-z-");
    EXPECT_EQ(ReplaceEach(u"xAbyaBzab", letters), u"xAbyaBz-");
}

TEST(TextOps, AfterFirstCutsLikeFindAfter)
{
    for (const auto& [text, marker] :
         {std::pair<std::u16string, std::u16string>{u"abcABCx", u"ABC"},
          {u"abc", u"x"},
          {u"abc", u"bc"},
          {u"abc", u""},
          {u"", u""},
          {u"<TR>a</Tr>b", u"</tr>"}})
        EXPECT_EQ(AfterFirst(text, marker), FindAfter(text, marker)) << text.size();
}

TEST(TextOps, RemoveCharsDropsEveryListedCharacter)
{
    EXPECT_EQ(RemoveChars(u"a\r\nb\tc\n", u"\r\n\t"), u"abc");
    EXPECT_EQ(RemoveChars(u"a\u00E9b\u0100c\u0180", u"\u0100a"), u"\u00E9bc\u0180");
}

TEST(TextOps, CrLfForBareLfLeavesExistingPairs)
{
    EXPECT_EQ(CrLfForBareLf(u"\na\r\nb\n\nc\r"), u"\r\na\r\nb\r\n\r\nc\r");
    EXPECT_EQ(CrLfForBareLf(u"a\r\nb\nc"), u"a\r\nb\r\nc");
    EXPECT_EQ(CrLfForBareLf(u"a\r\n\r"), u"a\r\n\r");
}

TEST(TextOps, CollapseCrLfRunsEqualsRepeatingTheReplacement)
{
    for (const std::u16string text :
         {u"", u"a\r\nb", u"\r\n\r\n\r\n", u"a\r\r\n\r\n\nb", u"\r\n\r\r\n\r\n\r\n\n\r\n",
          u"x\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
          u"\r\n\r\n\r\n\r\ny"})
        EXPECT_EQ(CollapseCrLfRuns(text), CollapseByRepeating(text)) << text.size();
}

TEST(TextOps, SplitKeepsEmptyPiecesAndGivesNoneForEmptyText)
{
    using Pieces = std::vector<std::u16string_view>;
    EXPECT_EQ(Split(u"", u"|"), Pieces{});
    EXPECT_EQ(Split(u"a", u"|"), Pieces{u"a"});
    EXPECT_EQ(Split(u"|a||b|", u"|"), (Pieces{u"", u"a", u"", u"b", u""}));
    EXPECT_EQ(Split(u"a\r\n\r\nb", u"\r\n"), (Pieces{u"a", u"", u"b"}));
}

TEST(TextOps, TrimRemovesBlanksOnly)
{
    EXPECT_EQ(Trim(u"  a b  "), u"a b");
    EXPECT_EQ(Trim(u"   "), u"");
    EXPECT_EQ(Trim(u"\t a\r "), u"\t a\r");
}

TEST(TextOps, CutBeforeFromSecondPassesOverAMarkerAtTheFirstCharacter)
{
    EXPECT_EQ(CutBeforeFromSecond(u"ab</TABLE>c</table>", u"</table>"), u"ab");
    EXPECT_EQ(CutBeforeFromSecond(u"</table>a</table>", u"</table>"), u"</table>a");
    for (const std::u16string text : {u"", u"x", u"</table>", u"abc"})
        EXPECT_THROW(CutBeforeFromSecond(text, u"</table>"), Failure) << text.size();
}

TEST(TextOps, CutFromKeepsTheMarker)
{
    EXPECT_EQ(CutFrom(u"ab PEAK<BR>position x", u"Peak<br>Position"), u"PEAK<BR>position x");
    EXPECT_THROW(CutFrom(u"Peak Position", u"Peak<br>Position"), Failure);
}

TEST(TextOps, ToLowerLowersLettersBeyondAscii)
{
    EXPECT_EQ(ToLower(u"Dance_Radio HOT100"), u"dance_radio hot100");
    EXPECT_EQ(ToLower(u"\u00C4\u00D7\u00DE\u0394\u0416\u0401"),
              u"\u00E4\u00D7\u00FE\u03B4\u0436\u0451");
}

TEST(Int16, ConversionAndAdditionOverflowPast32767)
{
    EXPECT_EQ(ToInt16(32767), 32767);
    EXPECT_EQ(ToInt16(-32768), -32768);
    EXPECT_THROW(ToInt16(32768), Failure);
    EXPECT_EQ(Add16(32760, 7), 32767);
    EXPECT_THROW(Add16(32761, 7), Failure);
}

TEST(Int16, ForEachChecksTheLimitFirstAndTheStepPastItLast)
{
    std::vector<int> seen;
    ForEach16(0, 2, [&](std::int16_t i) { seen.push_back(i); });
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    int passes = 0;
    ForEach16(1, -1, [&](std::int16_t) { ++passes; });
    EXPECT_EQ(passes, 0);
    EXPECT_THROW(ForEach16(0, 32768, [&](std::int16_t) { ++passes; }), Failure);
    EXPECT_EQ(passes, 0);
    EXPECT_THROW(ForEach16(32760, 32767, [&](std::int16_t) { ++passes; }), Failure);
    EXPECT_EQ(passes, 8);
}

// The cursor's field against Parse for each of `numbers` in rising order, overflows included.
void ExpectSameFieldsAsParse(const std::u16string& text, std::u16string_view delimiter,
                             const std::vector<std::int16_t>& numbers)
{
    FieldCursor cursor(text, delimiter);
    for (const std::int16_t n : numbers) {
        std::optional<std::u16string> expected;
        try {
            expected = Parse(text, delimiter, n);
        } catch (const Failure&) {
        }
        if (expected)
            ASSERT_EQ(cursor.Field(n), *expected) << "field " << n;
        else
            ASSERT_THROW(cursor.Field(n), Failure) << "field " << n;
    }
}

std::vector<std::int16_t> Numbers(int first, int last, int stride = 1)
{
    std::vector<std::int16_t> numbers;
    for (int n = first; n <= last; n += stride)
        numbers.push_back(static_cast<std::int16_t>(n));
    return numbers;
}

TEST(FieldCursor, SmallTextsGiveParsesFields)
{
    for (const std::u16string text :
         {u"", u"a", u"a\r\nb", u"\r\n", u"a\r\n\r\nb\r\n", u"\r\r\n\n\r\n", u"a\rb\nc"})
        ExpectSameFieldsAsParse(text, u"\r\n", Numbers(-1, 6));
    ExpectSameFieldsAsParse(u"a::b::c", u"::", Numbers(-1, 5));
    ExpectSameFieldsAsParse(u"abc", u"", Numbers(0, 2));
    ExpectSameFieldsAsParse(u"a\r\nb\r\nc\r\nd\r\ne", u"\r\n", {2, 2, 3, 5, 5, 8});
}

// Texts whose fields end, start or run past position 32,767 in every possible way; the cursor
// walks every field (or every third, as the K-Rock rows skip fields), Parse checks a sample
// and every field near the end.
TEST(FieldCursor, TextsAtThe16BitLimitFailWhereParseFails)
{
    for (const std::size_t length : {32764u, 32765u, 32766u, 32767u, 32768u, 32769u}) {
        for (const std::size_t fieldLength : {1u, 2u, 3u, 5u}) {
            std::u16string text;
            while (text.size() < length)
                text.append(fieldLength, u'x').append(u"\r\n");
            text.resize(length);
            const int fields = static_cast<int>(length / (fieldLength + 2)) + 1;
            for (const int stride : {1, 3}) {
                auto numbers = Numbers(1, fields - 40, 211 * stride);
                const auto nearEnd = Numbers(fields - 39, fields + 3, stride);
                numbers.insert(numbers.end(), nearEnd.begin(), nearEnd.end());
                ExpectSameFieldsAsParse(text, u"\r\n", numbers);
            }
        }
    }
}

TEST(FieldCursor, SteppingBackStartsOver)
{
    FieldCursor cursor(u"a\r\nb\r\nc", u"\r\n");
    EXPECT_EQ(cursor.Field(3), u"c");
    EXPECT_EQ(cursor.Field(1), u"a");
    EXPECT_EQ(cursor.Field(2), u"b");
}

} // namespace
} // namespace vandrel
