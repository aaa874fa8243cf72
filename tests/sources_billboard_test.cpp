#include "sources_support.h"

#include <gtest/gtest.h>

namespace vandrel::test {
namespace {

const std::vector<Row> fixtureRows = {
    {u"1", u"2", u"14", u" The Quiet Harbors", u"Paper Lanterns", u"1"},
    {u"2", u"1", u"22", u" Salt & Cedar", u"Don&#39;t Wait Up", u"1"},
    {u"3", u" ", u"1", u" Zoë & the Frostbites", u"Café Nordlys", u"3"},
    {u"4", u"5", u"9", u" Sigrún Vængur", u"Hálfmáni", u"4"},
    {u"5", u"3", u"17", u" Neon Orchard", u"Static Bloom", u"2"},
    {u"6", u"9", u"5", u" 東京 Drift", u"Midnight Ramen", u"6"},
    {u"7", u"4", u"30", u" The Velvet Moorings", u"Anchor Song", u"3"},
    {u"8", u"6", u"12", u" Björn Kettle", u"Rust Belt Lullaby", u"6"},
    {u"9", u"12", u"3", u" Pale Comet", u"Orbit (Radio Edit)", u"9"},
    {u"10", u"8", u"11", u" Dmitri & The Lanterns", u"Снег", u"7"},
    {u"11", u" ", u"1", u" High Noon", u"Low Tide", u"11"},
    {u"12", u"10", u"8", u" Amaranth Drive", u"Gravel & Glass", u"10"},
};

TEST(BillboardPage, LfPageGivesEveryRow)
{
    const Outcome outcome = Extract(BillboardSource, LoadPage("billboard.html"));
    EXPECT_EQ(outcome.failure, 0);
    EXPECT_TRUE(outcome.outOfOrder.empty());
    EXPECT_EQ(outcome.rows, fixtureRows);
}

// Only line feeds are removed from the first column and cut from the artist; carriage
// returns stay.
TEST(BillboardPage, CrLfPageKeepsItsCarriageReturns)
{
    std::vector<Row> expected = fixtureRows;
    for (Row& row : expected) {
        row[0].insert(0, u"\r");
        row[3].append(u"\r");
    }
    expected[10][3] = u" High Noon"; // ends at a second comma, before the line end
    const Outcome outcome = Extract(BillboardSource, WithCrLf(LoadPage("billboard.html")));
    EXPECT_EQ(outcome.failure, 0);
    EXPECT_EQ(outcome.rows, expected);
}

std::u16string Page(std::u16string_view rows)
{
    return u"<html><table class=\"nav\"><tr><td>Hot 100</td></tr></table><table><tr>"
           u"<td>This<br>Week</td><td>Title, Artist</td><td>Peak<br>Position</td></tr>\n" +
           std::u16string(rows) + u"</table><p>Footer</p></html>";
}

std::u16string ChartRow(std::u16string_view cells)
{
    return u"<tr>" + std::u16string(cells) + u"</tr>\n";
}

struct Case
{
    const char* name;
    std::u16string text;
    std::vector<Row> rows;
    int failure = 0;

    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class BillboardCase : public testing::TestWithParam<Case>
{
};

TEST_P(BillboardCase, Rows)
{
    const Outcome outcome = Extract(BillboardSource, GetParam().text);
    EXPECT_EQ(outcome.failure, GetParam().failure);
    EXPECT_EQ(outcome.rows, GetParam().rows);
    EXPECT_TRUE(outcome.outOfOrder.empty());
}

const std::u16string row1 =
    ChartRow(u"<td>1</td><td>2</td><td>3</td><td>Isobar, Hollow Pines</td><td>1</td>");
const Row isobar = {u"1", u"2", u"3", u" Hollow Pines", u"Isobar", u"1"};

Row CellFour(std::u16string artist, std::u16string song)
{
    return {u"1", u"2", u"3", std::move(artist), std::move(song), u"1"};
}

std::u16string WithCellFour(std::u16string_view cell)
{
    return Page(ChartRow(u"<td>1</td><td>2</td><td>3</td><td>" + std::u16string(cell) +
                         u"</td><td>1</td>"));
}

const Case cases[] = {
    {"RowsClosedByRowEnds", Page(row1 + row1), {isobar, isobar}},
    {"LastRowWithoutRowEndIsDropped", Page(row1 + u"<tr><td>2</td><td>9</td>\n"), {isobar}},
    {"HeaderOnly", Page(u""), {}},
    {"PeakPositionMissing",
     u"<table><tr><td>Peak Position</td></tr>\n" + row1 + u"</table>",
     {},
     5},
    {"TableEndMissing", u"<table><tr><td>Peak<br>Position</td></tr>\n" + row1, {}, 5},
    {"MarkersInAnyCase",
     u"<TABLE><tr><td>PEAK<BR>POSITION</td></tr>\n" + row1 + u"</TABLE>",
     {isobar}},
    {"CapitalEndTagsAreStrippedAndMerge",
     Page(u"<tr><td>1</TD><td>2</td><td>3</td><td>S, A</td><td>1</td></TR>\n"
          u"<tr><td>9</td><td>8</td><td>7</td><td>T, B</td><td>5</td></tr>\n"),
     {{u"12", u"3", u"S, A", u"", u"1", u"\n9"}}},
    {"FewerThanFiveCells",
     Page(ChartRow(u"<td>1</td><td>2</td>")),
     {{u"1", u"2", u"", u"", u"", u""}}},
    {"CellFourWithoutComma", WithCellFour(u"Iso\nbar"), {CellFour(u"", u"Isobar")}},
    {"CellFourCommaInsideTheTitle",
     WithCellFour(u"Low Tide, High Noon, Hollow Pines"),
     {CellFour(u" High Noon", u"Low Tide")}},
    {"ArtistEndsAtItsFirstLineFeed",
     WithCellFour(u"Iso\nbar, Hollow\nPines\n<br>Marram"),
     {CellFour(u" Hollow", u"Isobar")}},
    {"EntitiesStayButNbspIsABlank",
     WithCellFour(u"Don&#39;t, Salt&nbsp;&&nbsp;Cedar"),
     {CellFour(u" Salt & Cedar", u"Don&#39;t")}},
    {"BlankLinesShrinkByTwoPassesOnly",
     Page(ChartRow(u"<td>1</td><td>\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n2</td><td>\r\n\r\n\r\n\r\n3"
                   u"</td><td>\n\n\n\nS</td><td>1</td>")),
     {{u"1", u"\r\n\r\n2", u"\r\n3", u"", u"S", u"1"}}},
};

INSTANTIATE_TEST_SUITE_P(Edges, BillboardCase, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

std::u16string RowEnds(std::size_t count)
{
    std::u16string page = u"Peak<br>Position";
    for (std::size_t i = 0; i < count; ++i)
        page += u"</tr>";
    return page + u"</table>";
}

// The header piece and the piece after the last row end are no rows, so `n` row ends give
// n - 1 rows; the row number is 16 bits and the loop limit is checked before the first row.
TEST(BillboardLimits, MoreThan32766RowsOverflow)
{
    Outcome outcome = Extract(BillboardSource, RowEnds(32767));
    EXPECT_EQ(outcome.failure, 0);
    EXPECT_EQ(outcome.rows.size(), 32766u);

    outcome = Extract(BillboardSource, RowEnds(32768));
    EXPECT_EQ(outcome.failure, 6);
    EXPECT_EQ(outcome.rows.size(), 32767u);
    EXPECT_EQ(outcome.rows.back(), Row(6, u""));

    outcome = Extract(BillboardSource, RowEnds(32769));
    EXPECT_EQ(outcome.failure, 6);
    EXPECT_TRUE(outcome.rows.empty());
}

} // namespace
} // namespace vandrel::test
