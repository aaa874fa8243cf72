#include "sources_support.h"

#include <gtest/gtest.h>

namespace vandrel::test {
namespace {

const std::vector<Row> fixtureRows = {
    {u"1", u"2", u"The Quiet Harbors", u"Paper Lanterns"},
    {u"2", u"1", u"Salt & Cedar", u"Don&#39;t Wait Up"},
    {u"3", u"", u"Zoë & the Frostbites", u"Café Nordlys"},
    {u"4", u"5", u"Sigrún Vængur", u"Hálfmáni"},
    {u"5", u"3", u"Neon Orchard", u"Static Bloom"},
    {u"6", u"9", u"東京 Drift", u"Midnight Ramen"},
    {u"7", u"4", u"The Velvet Moorings", u"Anchor Song"},
    {u"8", u"6", u"Björn Kettle", u"Rust Belt Lullaby"},
    {u"9", u"12", u"Pale Comet", u"Orbit (Radio Edit)"},
    {u"10", u"8", u"Dmitri & The Lanterns", u"Снег"},
    {u"11", u"", u"Hollow Pines", u"It&#39;s Only Weather"},
    {u"12", u"10", u"Amaranth Drive", u"Gravel & Glass"},
};

// CR LF pages once kept a carriage return in every field; both line ends must read alike.
TEST(KRockPage, CrLfAndLfPagesGiveTheSameRows)
{
    const std::u16string page = LoadPage("krock.html");
    for (const std::u16string& text : {WithCrLf(page), WithLf(page)}) {
        const Outcome outcome = Extract(KRockSource, text);
        EXPECT_EQ(outcome.failure, 0);
        EXPECT_EQ(outcome.rows, fixtureRows);
        EXPECT_TRUE(outcome.outOfOrder.empty());
    }
}

std::u16string Page(std::u16string_view afterHeaderRow)
{
    return u"<html><body><a href=\"/\">Home</a>\r\n<!--END HEADER-->\r\n<table>\r\n"
           u"<tr><th>This Week</th><th>Last Week</th></tr>" +
           std::u16string(afterHeaderRow) + u"</table>\r\n</body></html>";
}

struct Case
{
    const char* name;
    std::u16string text;
    std::vector<Row> rows;
    int failure = 0;

    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class KRockCase : public testing::TestWithParam<Case>
{
};

TEST_P(KRockCase, Rows)
{
    const Outcome outcome = Extract(KRockSource, GetParam().text);
    EXPECT_EQ(outcome.failure, GetParam().failure);
    EXPECT_EQ(outcome.rows, GetParam().rows);
    EXPECT_TRUE(outcome.outOfOrder.empty());
}

const std::u16string row1 = u"1\r\n2\r\nA\r\nS\r\nx\r\ny\r\n";
const std::u16string row2 = u"3\r\n4\r\nB\r\nT\r\nx\r\ny\r\n";

const Case cases[] = {
    {"OnlyLineEnds", Page(u"\r\n\r\n\r\n\r\n"), {}},
    {"NoHeaderRowEnd", u"<!--END HEADER--><table><td>h</td>\r\n" + row1 + u"</table>", {}},
    {"MarkerMissing", u"<html><table><tr><th>h</th></tr>\r\n" + row1 + u"</table>", {}, 5},
    {"TableEndMissing", u"<!--END HEADER--><table><tr><th>h</th></tr>\r\n" + row1, {}, 5},
    {"TableEndAtFirstCharacterIsPassedOver",
     u"<!--END HEADER--></table><tr><th>h</th></tr>\r\n" + row1 + u"</table>\r\n" + row2 +
         u"</table>",
     {{u"1", u"2", u"A", u"S"}}},
    {"MarkersInAnyCase",
     u"<!--End Header--><TABLE><TR><TH>h</TH></TR>\r\n" + row1 + u"</TABLE>",
     {{u"1", u"2", u"A", u"S"}}},
    {"TwoRows", Page(u"\r\n" + row1 + row2), {{u"1", u"2", u"A", u"S"}, {u"3", u"4", u"B", u"T"}}},
    {"BlankFieldKeepsTheLoopGoingAndOnlyBlanksAreTrimmed",
     Page(u"\r\n   \r\n 2 \r\n\tA \r\nS\r\nx\r\ny\r\n" + row2),
     {{u"", u"2", u"\tA", u"S"}, {u"3", u"4", u"B", u"T"}}},
    {"TextEndsInsideARow", Page(u"\r\n1\r\n2\r\nA"), {{u"1", u"2", u"A", u""}}},
    {"EntitiesStayButNbspIsABlank",
     Page(u"\r\n1\r\n&nbsp;\r\nSalt & Cedar\r\nDon&#39;t\r\n"),
     {{u"1", u"", u"Salt & Cedar", u"Don&#39;t"}}},
    {"CellsOnLinesOfTheirOwn",
     Page(u"\r\n<tr>\r\n<td>1</td>\r\n<td>2</td>\r\n<td>A</td>\r\n<td>S</td>\r\n<td>x</td>\r\n"
          u"<td>y</td>\r\n</tr>\r\n<tr>\r\n<td>3</td>\r\n<td>4</td>\r\n<td>B</td>\r\n<td>T</td>\r\n"
          u"<td>x</td>\r\n<td>y</td>\r\n</tr>\r\n"),
     {{u"1", u"2", u"A", u"S"}, {u"3", u"4", u"B", u"T"}}},
    // Three halving passes left an empty field behind more than eight line ends, and the list
    // ended there.
    {"AnyRunOfBlankLinesCollapses",
     Page(u"\r\n1\r\n2\r\nA\r\nS\r\nx\r\ny\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n" +
          row2),
     {{u"1", u"2", u"A", u"S"}, {u"3", u"4", u"B", u"T"}}},
    {"MixedLineEndsReadAlike",
     Page(u"\n1\r\n2\nA\r\nS\nx\r\ny\n\n\r\n3\n4\nB\nT\nx\ny\n"),
     {{u"1", u"2", u"A", u"S"}, {u"3", u"4", u"B", u"T"}}},
};

INSTANTIATE_TEST_SUITE_P(Edges, KRockCase, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

// Rows of 22 characters after a leading line end: row k starts at position 3 + 22k. Row 1,489
// starts at 32,761 and its first field ends at 32,766, but its second field ends past 32,767.
TEST(KRockLimits, FieldsPastPosition32767OverflowAfterTheRowsBefore)
{
    std::u16string rows = u"\r\n";
    for (int k = 0; k < 1600; ++k) {
        const std::string number = std::to_string(10000 + k).substr(1);
        rows.append(u"r")
            .append(number.begin(), number.end())
            .append(u"\r\nl\r\na\r\ns\r\nx\r\ny\r\n");
    }
    const Outcome outcome = Extract(KRockSource, Page(rows));
    EXPECT_EQ(outcome.failure, 6);
    ASSERT_EQ(outcome.rows.size(), 1490u);
    EXPECT_EQ(outcome.rows[1488], (Row{u"r1488", u"l", u"a", u"s"}));
    EXPECT_EQ(outcome.rows[1489], Row{u"r1489"});
}

} // namespace
} // namespace vandrel::test
