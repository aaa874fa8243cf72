#include "sources_support.h"

#include <gtest/gtest.h>

namespace vandrel::test {
namespace {

TEST(CddbPage, AlbumsGiveEveryRowOfTheTable)
{
    const Outcome outcome = Extract(CddbAlbumsSource, LoadPage("cddb_albums.html"));
    EXPECT_EQ(outcome.failure, 0);
    EXPECT_TRUE(outcome.outOfOrder.empty());
    const std::vector<Row> expected = {
        {u"1", u"The Quiet Harbors", u"Lowland"},
        {u"2", u"Salt & Cedar", u"Tidewater"},
        {u"3", u"Zoë & the Frostbites", u"Polar Night"},
        {u"4", u"Los Pájaros Grises", u"Vuelo Bajo"},
        {u"5", u"Neon Orchard", u"Bloomfield"},
        {u"6", u"東京 Drift", u"Kanda"},
        {u"7", u"Hollow Pines", u"It&#39;s Only Weather"},
        {u"8", u"Björn Kettle", u"Ironworks"},
        {u"9", u"Pale Comet", u"Perihelion"},
        {u"10", u"Amaranth Drive", u"Shoulder"},
        {u"11", u"Dmitri & The Lanterns", u"Winter Sessions"},
        {u"12", u"Sigrún Vængur", u"Fjara"},
    };
    EXPECT_EQ(outcome.rows, expected);
}

TEST(CddbPage, SongsGiveEveryRowOfTheTableInBothLineEnds)
{
    const std::vector<Row> expected = {
        {u"1", u"The Quiet Harbors", u"Paper Lanterns", u"Lowland"},
        {u"2", u"Salt & Cedar", u"Don&#39;t Wait Up", u"Tidewater"},
        {u"3", u"Zoë & the Frostbites", u"Café Nordlys", u"Polar Night"},
        {u"4", u"Neon Orchard", u"Static Bloom", u"Bloomfield"},
        {u"5", u"東京 Drift", u"Midnight Ramen", u"Kanda"},
        {u"6", u"The Velvet Moorings", u"Anchor Song", u"Bollards"},
        {u"7", u"Björn Kettle", u"Rust Belt Lullaby", u"Ironworks"},
        {u"8", u"Pale Comet", u"Orbit (Radio Edit)", u"Perihelion"},
        {u"9", u"Dmitri & The Lanterns", u"Снег", u"Winter Sessions"},
        {u"10", u"Amaranth Drive", u"Gravel & Glass", u"Shoulder"},
        {u"11", u"Sigrún Vængur", u"Hálfmáni", u"Fjara"},
        {u"12", u"Hollow Pines", u"Low Tide, High Noon", u"Barometer"},
    };
    const std::u16string page = LoadPage("cddb_songs.html");
    for (const std::u16string& text : {WithLf(page), WithCrLf(page)}) {
        const Outcome outcome = Extract(CddbSongsSource, text);
        EXPECT_EQ(outcome.failure, 0);
        EXPECT_TRUE(outcome.outOfOrder.empty());
        EXPECT_EQ(outcome.rows, expected);
    }
}

std::u16string Page(std::u16string_view table)
{
    return u"<html><h1>Top</h1><table><tr><td>Rank</td><td>Artist : Album</td></tr>\n" +
           std::u16string(table) + u"</table>\n<span class=\"bold\">Updated Mondays</span></html>";
}

const std::u16string albumRow = u"<tr><td>1</td><td><a href=\"/a/1\">Hollow Pines</A> : <a "
                                u"href=\"/b/1\">Barometer</a></td></tr>";
const std::u16string songRow = u"<tr><td>1</td><td><span class=\"title\">Isobar</span> - "
                               u"<a href=\"/a/1\">Hollow Pines</A> : <a href=\"/b/1\">Barometer</a>"
                               u"</td></tr>";

struct Case
{
    const char* name;
    const ChartSource* source;
    std::u16string text;
    std::vector<Row> rows;
    int failure = 0;

    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class CddbCase : public testing::TestWithParam<Case>
{
};

TEST_P(CddbCase, Rows)
{
    const Outcome outcome = Extract(*GetParam().source, GetParam().text);
    EXPECT_EQ(outcome.failure, GetParam().failure);
    EXPECT_EQ(outcome.rows, GetParam().rows);
    EXPECT_TRUE(outcome.outOfOrder.empty());
}

const Row album = {u"1", u"Hollow Pines", u"Barometer"};
const Row song = {u"1", u"Hollow Pines", u"Isobar", u"Barometer"};

const Case cases[] = {
    {"AlbumRow", &CddbAlbumsSource, Page(albumRow), {album}},
    {"SongRow", &CddbSongsSource, Page(songRow), {song}},
    {"HeaderAndEndMarkerInCapitals",
     &CddbAlbumsSource,
     u"<TR><TD>ARTIST : ALBUM</TD></TR>" + albumRow + u"<SPAN CLASS=\"BOLD\">",
     {album}},
    {"HeaderMissing",
     &CddbAlbumsSource,
     u"<table>" + albumRow + u"</table><span class=\"bold\">",
     {},
     5},
    {"EndMarkerMissing",
     &CddbAlbumsSource,
     u"<tr><td>Artist : Album</td></tr>" + albumRow + u"</table>",
     {},
     5},
    {"EndMarkerAtTheStartIsSkipped",
     &CddbAlbumsSource,
     u"<tr><td>Artist : Album</td></tr><span class=\"bold\">" + albumRow + u"<span class=\"bold\">",
     {album}},
    {"OnlyAnEndMarkerAtTheStart",
     &CddbAlbumsSource,
     u"<tr><td>Artist : Album</td></tr><span class=\"bold\">" + albumRow,
     {},
     5},
    {"CapitalCellEndIsNotMarked",
     &CddbAlbumsSource,
     Page(u"<tr><td>1</TD><td><a>Hollow Pines</A> : <a>Barometer</a></td></tr>"),
     {{u"1Hollow Pines\u0003Barometer", u"", u""}}},
    {"NoPartSeparator",
     &CddbAlbumsSource,
     Page(u"<tr><td>1</td><td><a>Hollow Pines</a> : <a>Barometer</a></td></tr>"),
     {{u"1", u"Hollow Pines : Barometer", u""}}},
    {"TextBehindTheLastRowEndIsNoRow",
     &CddbAlbumsSource,
     Page(albumRow + albumRow + u"<tr><td>3</td><td>Unfinished</td>"),
     {album, album}},
    {"NoRowEndGivesNoRow", &CddbAlbumsSource, Page(u"<tr><td>1</td><td>Hollow Pines</td>"), {}},
    {"EmptyRowsCount",
     &CddbAlbumsSource,
     Page(u"<tr></tr><tr><td></td></tr>"),
     {{u"", u"", u""}, {u"", u"", u""}}},
    {"BlanksBetweenTagsStay",
     &CddbAlbumsSource,
     Page(u"<tr><td>0</td></tr> <tr><td>1</td> <td>x</td></tr>"),
     {{u"0", u"", u""}, {u" 1", u" x", u""}}},
    {"LineBreaksAndTabsInsideANameAreDeleted",
     &CddbAlbumsSource,
     Page(u"<tr><td>1</td><td><a>Hol\r\nlow\tPi\nnes</A> : <a>Baro&nbsp;meter</a></td></tr>"),
     {{u"1", u"HollowPines", u"Baro meter"}}},
    {"NbspSplitByATagIsDeletedAfterwards",
     &CddbAlbumsSource,
     Page(u"<tr><td>1</td><td>Hollow&nb<b>sp;Pines &#39;99</td></tr>"),
     {{u"1", u"HollowPines &#39;99", u""}}},
    {"SongWithoutTitleSeparator",
     &CddbSongsSource,
     Page(u"<tr><td>1</td><td><a>Hollow Pines</A> : <a>Barometer</a></td></tr>"),
     {{u"1", u"Barometer", u"Hollow Pines", u""}}},
    {"SongWithoutEitherSeparator",
     &CddbSongsSource,
     Page(u"<tr><td>1</td><td>Isobar by Hollow Pines</td></tr>"),
     {{u"1", u"", u"Isobar by Hollow Pines", u""}}},
    {"CapitalTitleSeparatorIsNotReplaced",
     &CddbSongsSource,
     Page(u"<tr><td>1</td><td><SPAN>Isobar</SPAN> - <a>Hollow Pines</A> : <a>Barometer</a></td>"
          u"</tr>"),
     {{u"1", u"Barometer", u"Isobar - Hollow Pines", u""}}},
};

INSTANTIATE_TEST_SUITE_P(Edges, CddbCase, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

// No tag may follow the rows: the tag stripping would overflow first.
std::u16string RowEnds(std::size_t count)
{
    std::u16string page = u"<tr><td>Artist : Album</td></tr>";
    for (std::size_t i = 0; i < count; ++i)
        page += u"1</td></tr>";
    return page + u"<span class=\"bold\">";
}

// The row index is 16 bits: the last index is checked before the first row, the step past
// 32,767 after the last one.
TEST(CddbLimits, RowIndexOverflowsAfter32768RowsAndBeforeTheFirstBeyond)
{
    Outcome outcome = Extract(CddbAlbumsSource, RowEnds(32767));
    EXPECT_EQ(outcome.failure, 0);
    EXPECT_EQ(outcome.rows.size(), 32767u);

    outcome = Extract(CddbAlbumsSource, RowEnds(32768));
    EXPECT_EQ(outcome.failure, 6);
    EXPECT_EQ(outcome.rows.size(), 32768u);
    EXPECT_EQ(outcome.rows.back(), (Row{u"1", u"", u""}));

    outcome = Extract(CddbSongsSource, RowEnds(32769));
    EXPECT_EQ(outcome.failure, 6);
    EXPECT_TRUE(outcome.rows.empty());
}

} // namespace
} // namespace vandrel::test
