#include "sources_support.h"

#include <gtest/gtest.h>

namespace vandrel::test {
namespace {

// LF pages were read as one long line, and every page got an empty last row.
TEST(Hot97Page, CrLfAndLfPagesGiveTheSameRowsWithoutAnEmptyLastRow)
{
    const std::vector<Row> expected = {
        {u"1", u"The Quiet Harbors", u"Paper Lanterns"},
        {u"2", u"Salt & Cedar", u"Don&#39;t Wait Up"},
        {u"3", u"Zoë & the Frostbites", u"Café Nordlys"},
        {u"4", u"Neon Orchard", u"Static Bloom"},
        {u"5", u"東京 Drift", u"Midnight Ramen"},
        {u"6", u"The Velvet Moorings", u"Anchor Song"},
        {u"7", u"Björn Kettle feat. Lil Quill", u"Rust Belt Lullaby"},
        {u"8", u"Pale Comet", u"Orbit (Radio Edit)"},
        {u"9", u"Dmitri & The Lanterns", u"Снег"},
        {u"10", u"Amaranth Drive", u"Gravel & Glass"},
        {u"11", u"Sigrún Vængur", u"Hálfmáni"},
        {u"12", u"Hollow Pines", u"Low Tide, High Noon"},
        {u"13", u"MC Tidal x DJ Ferro", u"Block Party"},
    };
    const std::u16string page = LoadPage("hot97.html");
    for (const std::u16string& text : {WithCrLf(page), WithLf(page)}) {
        const Outcome outcome = Extract(Hot97Source, text);
        EXPECT_EQ(outcome.failure, 0);
        EXPECT_TRUE(outcome.outOfOrder.empty());
        EXPECT_EQ(outcome.rows, expected);
    }
}

const std::u16string start =
    u"<div><!-- #BeginEditable \"concert calendar rows\" -->\r\n<table>\r\n"
    u"<tr><td>Rank</td><td>Song</td><td>Artist</td></tr>";
const std::u16string end = u"<!-- #EndEditable -->\r\n</div>";

std::u16string Page(std::u16string_view region)
{
    return start + std::u16string(region) + end;
}

struct Case
{
    const char* name;
    std::u16string text;
    std::vector<Row> rows;
    int failure = 0;

    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class Hot97Case : public testing::TestWithParam<Case>
{
};

TEST_P(Hot97Case, Rows)
{
    const Outcome outcome = Extract(Hot97Source, GetParam().text);
    EXPECT_EQ(outcome.failure, GetParam().failure);
    EXPECT_EQ(outcome.rows, GetParam().rows);
    EXPECT_TRUE(outcome.outOfOrder.empty());
}

const std::u16string row1 = u"\r\n  <tr>\r\n    <td>1</td>\r\n    <td>Isobar</td>\r\n"
                            u"    <td>Hollow Pines</td>\r\n  </tr>";
const Row isobar = {u"1", u"Hollow Pines", u"Isobar"};

const Case cases[] = {
    {"RankArtistSong", Page(row1 + u"\r\n</table>\r\n  "), {isobar}},
    {"EmptyRowsBeforeTheLastStay",
     Page(u"<tr></tr>" + row1 + u"<tr>\r\n</tr>" + row1),
     {{u"", u"", u""}, isobar, {u"", u"", u""}, isobar}},
    {"LastRowWithoutRowEndStays",
     Page(row1 + u"<tr><td>2</td><td>Anchor Song</td>\r\n"),
     {isobar, {u"2", u"", u"Anchor Song"}}},
    {"EmptyRegion", Page(u"\r\n   \r\n</table>\r\n"), {}},
    {"StartMarkerMissing", u"<table><tr><td>Rank</td></tr>" + row1 + end, {}, 5},
    {"HeaderRowEndMissing",
     u"<!-- #BeginEditable \"concert calendar rows\" --><td>1</td>" + end,
     {},
     5},
    {"EndMarkerMissing", start + row1 + u"</table>", {}, 5},
    {"EndMarkerAtTheFirstCharacterIsPassedOver", Page(end + row1), {isobar}},
    {"MarkersAndEndTagsInAnyCase",
     u"<!-- #BEGINEDITABLE \"Concert Calendar Rows\" --><TR><TD>Rank</TD></TR><TR><TD>1</TD>"
     u"<TD>Isobar</Td><TD>Hollow Pines</tD></Tr><!-- #endeditable -->",
     {isobar}},
    {"CellOverSeveralLinesJoinsItsTrimmedLines",
     Page(u"<tr><td>1</td><td>Iso\r\n      bar</td><td>Hollow \r\n Pines</td></tr>"),
     {{u"1", u"HollowPines", u"Isobar"}}},
    {"LinesLoseTheirBlanksOnly",
     Page(u"<tr><td>\r\n  \t1  \r\n</td><td>\r\n Isobar\r \r\n</td><td>A&nbsp;B</td></tr>"),
     {{u"\t1", u"A B", u"Isobar\r"}}},
    {"FewerThanThreeCells",
     Page(u"<tr><td>1</td></tr><tr><td>2</td><td>Isobar</td></tr>"),
     {{u"1", u"", u""}, {u"2", u"", u"Isobar"}}},
    {"BareLineFeedsEndLinesToo",
     Page(u"\n  <tr>\n    <td>1</td>\n    <td>Isobar</td>\r\n"
          u"    <td>Hollow\n    Pines</td>\n  </tr>\n</table>\n"),
     {{u"1", u"HollowPines", u"Isobar"}}},
};

INSTANTIATE_TEST_SUITE_P(Edges, Hot97Case, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

std::u16string Repeat(std::u16string_view piece, std::size_t count)
{
    std::u16string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

// The row list's last index is converted to 16 bits before the first row; the step past index
// 32,767 overflows after it, even when that last string is empty and gives no row.
TEST(Hot97Limits, RowListOverflowsAt32768Strings)
{
    Outcome outcome = Extract(Hot97Source, Page(Repeat(u"a</td></tr>", 32766)));
    EXPECT_EQ(outcome.failure, 0);
    EXPECT_EQ(outcome.rows.size(), 32766u);

    outcome = Extract(Hot97Source, Page(Repeat(u"a</td></tr>", 32767) + u"z"));
    EXPECT_EQ(outcome.failure, 6);
    ASSERT_EQ(outcome.rows.size(), 32768u);
    EXPECT_EQ(outcome.rows.front(), (Row{u"a", u"", u""}));
    EXPECT_EQ(outcome.rows.back(), (Row{u"z", u"", u""}));

    outcome = Extract(Hot97Source, Page(Repeat(u"a</td></tr>", 32767)));
    EXPECT_EQ(outcome.failure, 6);
    EXPECT_EQ(outcome.rows.size(), 32767u);

    outcome = Extract(Hot97Source, Page(Repeat(u"a</td></tr>", 32768)));
    EXPECT_EQ(outcome.failure, 6);
    EXPECT_TRUE(outcome.rows.empty());
}

TEST(Hot97Limits, LineListOverflowsAt32768LinesBeforeAnyRow)
{
    Outcome outcome = Extract(Hot97Source, Page(Repeat(u"x\r\n", 32766)));
    EXPECT_EQ(outcome.failure, 0);
    EXPECT_EQ(outcome.rows, (std::vector<Row>{{std::u16string(32766, u'x'), u"", u""}}));

    for (const std::u16string_view line : {u"x\r\n", u"x\n"}) {
        outcome = Extract(Hot97Source, Page(Repeat(line, 32767)));
        EXPECT_EQ(outcome.failure, 6);
        EXPECT_TRUE(outcome.rows.empty());
    }
}

} // namespace
} // namespace vandrel::test
