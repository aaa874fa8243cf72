#include "sources/chart_source.h"
#include "text/case_fold.h"
#include "text/cuts.h"
#include "text/field_cursor.h"
#include "text/int16.h"
#include "text/markers.h"
#include "text/replace.h"

// One Billboard chart: This Week, Last Week, Weeks On Chart, Artist, Song, Peak.
namespace vandrel {
namespace {

constexpr std::u16string_view ListStart = u"Peak<br>Position";
constexpr std::u16string_view ListEnd = u"</table>";
constexpr std::u16string_view RowEnd = u"</tr>";
constexpr std::u16string_view RowMark = u"\u0001";
constexpr std::u16string_view CellMark = u"\u0002";
// Cell and row ends cannot overlap, so one pass marks both.
constexpr Replacement CellAndRowMarks[] = {{u"</td>", CellMark}, {RowEnd, RowMark}};

// The header row's end and a row's end are the same text: the rows lie between the first
// occurrence in the list and the last.
constexpr PageMarker Markers[] = {
    {.text = ListStart, .role = MarkerRole::ListStart, .cut = MarkerCut::From},
    {.text = ListEnd, .role = MarkerRole::ListEnd, .cut = MarkerCut::BeforeFromSecond},
    {.text = RowEnd, .role = MarkerRole::HeaderRowEnd, .cut = MarkerCut::After, .exact = true},
    {.text = RowEnd, .role = MarkerRole::RowEnd, .cut = MarkerCut::Within, .exact = true},
};

void addChartRow(std::u16string_view piece, RowSink& rows)
{
    // The cells are read in rising order, so the cursor never rescans the row; they are copied
    // only as the row keeps them.
    FieldCursor cells(piece, CellMark);
    rows.addRow(removeChars(std::u16string(cells.field(1)), u"\n"));
    rows.setSubItem(1, std::u16string(cells.field(2)));
    rows.setSubItem(2, std::u16string(cells.field(3)));
    // The fourth cell reads "Song, Artist" with the label on a second line.
    FieldCursor songAndArtist(cells.field(4), u",");
    const std::u16string_view song = songAndArtist.field(1);
    rows.setSubItem(3, std::u16string(FieldCursor(songAndArtist.field(2), u"\n").field(1)));
    rows.setSubItem(4, removeChars(std::u16string(song), u"\n"));
    rows.setSubItem(5, std::u16string(cells.field(5)));
}

std::u16string path(std::u16string_view chart)
{
    const std::u16string key = toLower(chart);
    const std::u16string_view prefix = key == u"hot100" ? u"" : u"airplay/";
    return std::u16string(u"/bb/charts/").append(prefix).append(key).append(u".jsp");
}

std::u16string caption(std::u16string_view chart)
{
    return std::u16string(u"Billboard Charts (").append(chart).append(u"):");
}

void extractBillboard(std::u16string_view page, RowSink& rows)
{
    std::u16string text(cutBeforeFromSecond(cutFrom(page, ListStart), ListEnd));
    text = replaceEach(std::move(text), CellAndRowMarks);
    KillTags(text);
    // Two passes, no more, as the chart pages were always read: a pass halves each run of line
    // ends, so the first leaves pairs that only the second finds, and a longer run keeps blank
    // lines, which then stay in the cells.
    text = replaceAll(std::move(text), u"\r\n\r\n", u"\r\n");
    text = replaceAll(std::move(text), u"\r\n\r\n", u"\r\n");

    // The first piece is the header row and the last what follows the last row end.
    const auto pieces = split(text, RowMark);
    forEach16(1, static_cast<long long>(pieces.size()) - 2,
              [&](std::int16_t i) { addChartRow(pieces[static_cast<std::size_t>(i)], rows); });
}

constexpr std::u16string_view Charts[] = {
    u"Adult",  u"Contemporary", u"Country",    u"Dance",  u"Dance_Radio", u"Digital",
    u"Hot100", u"LatinTracks",  u"Mainstream", u"Modern", u"Rap",         u"RnB"};
constexpr Column Columns[] = {{u"This Week:", 500}, {u"Last Week:", 500}, {u"Weeks On Chart:", 500},
                              {u"Artist:", 2000},   {u"Song:", 2000},     {u"Peak:", 500}};
} // namespace

extern const ChartSource BillboardSource = {
    .name = "billboard",
    .host = u"www.billboard.com",
    .caption = u"Billboard Charts:",
    .choices = Charts,
    .choiceName = u"Chart",
    .columns = Columns,
    .path = path,
    .choiceCaption = caption,
    .extract = extractBillboard,
    .markers = Markers,
};

} // namespace vandrel
