#include "sources/chart_source.h"
#include "sources/hosts.h"
#include "text/case_fold.h"
#include "text/cuts.h"
#include "text/field_cursor.h"
#include "text/int16.h"
#include "text/markers.h"
#include "text/replace.h"

// One Billboard chart: This Week, Last Week, Weeks On Chart, Artist, Song, Peak.
namespace vandrel {
namespace {

constexpr std::u16string_view rowMark = u"\u0001";
constexpr std::u16string_view cellMark = u"\u0002";
// Cell and row ends cannot overlap, so one pass marks both.
constexpr Replacement cellAndRowMarks[] = {{u"</td>", cellMark}, {u"</tr>", rowMark}};

void AddChartRow(std::u16string_view piece, RowSink& rows)
{
    // The cells are read in rising order, so the cursor never rescans the row.
    FieldCursor cells(piece, cellMark);
    rows.AddRow(RemoveChars(cells.Field(1), u"\n"));
    rows.SetSubItem(1, cells.Field(2));
    rows.SetSubItem(2, cells.Field(3));
    // The fourth cell reads "Song, Artist" with the label on a second line.
    const std::u16string songAndArtist = cells.Field(4);
    rows.SetSubItem(3, Parse(Parse(songAndArtist, u",", 2), u"\n", 1));
    rows.SetSubItem(4, RemoveChars(Parse(songAndArtist, u",", 1), u"\n"));
    rows.SetSubItem(5, cells.Field(5));
}

std::u16string Address(std::u16string_view chart)
{
    const std::u16string key = ToLower(chart);
    const std::u16string_view prefix = key == u"hot100" ? u"" : u"airplay/";
    return hosts::HttpAddress(
        hosts::Billboard,
        std::u16string(u"/bb/charts/").append(prefix).append(key).append(u".jsp"));
}

std::u16string Caption(std::u16string_view chart)
{
    return std::u16string(u"Billboard Charts (").append(chart).append(u"):");
}

void ExtractBillboard(std::u16string text, RowSink& rows)
{
    text = std::u16string(CutBeforeFromSecond(CutFrom(text, u"Peak<br>Position"), u"</table>"));
    text = ReplaceEach(std::move(text), cellAndRowMarks);
    KillTags(text);
    text = ReplaceAll(std::move(text), u"\r\n\r\n", u"\r\n");
    text = ReplaceAll(std::move(text), u"\r\n\r\n", u"\r\n");

    // The first piece is the header row and the last what follows the last row end.
    const auto pieces = Split(text, rowMark);
    ForEach16(1, static_cast<long long>(pieces.size()) - 2,
              [&](std::int16_t i) { AddChartRow(pieces[static_cast<std::size_t>(i)], rows); });
}

constexpr std::u16string_view charts[] = {
    u"Adult",  u"Contemporary", u"Country",    u"Dance",  u"Dance_Radio", u"Digital",
    u"Hot100", u"LatinTracks",  u"Mainstream", u"Modern", u"Rap",         u"RnB"};
constexpr Column columns[] = {{u"This Week:", 500}, {u"Last Week:", 500}, {u"Weeks On Chart:", 500},
                              {u"Artist:", 2000},   {u"Song:", 2000},     {u"Peak:", 500}};
} // namespace

const ChartSource BillboardSource = {
    "billboard", u"Billboard Charts:", charts, columns, Address, Caption, ExtractBillboard,
};

} // namespace vandrel
