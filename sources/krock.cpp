#include "sources/chart_source.h"
#include "text/cuts.h"
#include "text/field_cursor.h"
#include "text/int16.h"
#include "text/line_ends.h"
#include "text/markers.h"

// The K-Rock station's top airplay and requested songs: This Week, Last Week, Artist, Song.
namespace vandrel {
namespace {

constexpr std::u16string_view ListStart = u"<!--END HEADER-->";
constexpr std::u16string_view ListEnd = u"</table>";
constexpr std::u16string_view HeaderRowEnd = u"</tr>";

// A row is six lines; a line feed ends each, with or without its carriage return.
constexpr PageMarker Markers[] = {
    {.text = ListStart, .role = MarkerRole::ListStart, .cut = MarkerCut::After},
    {.text = ListEnd, .role = MarkerRole::ListEnd, .cut = MarkerCut::BeforeFromSecond},
    {.text = HeaderRowEnd, .role = MarkerRole::HeaderRowEnd, .cut = MarkerCut::After},
    {.text = u"\n", .role = MarkerRole::LineEnd, .cut = MarkerCut::Within, .exact = true},
};

void extractKRock(std::u16string_view page, RowSink& rows)
{
    const std::u16string_view list = cutBeforeFromSecond(afterFirst(page, ListStart), ListEnd);
    std::u16string text(afterFirst(list, HeaderRowEnd));
    KillTags(text);
    // A line feed that already has its carriage return is left alone: pages with CR LF line
    // ends would otherwise get CR CR LF, and every field would keep a stray carriage return.
    text = crLfForBareLf(std::move(text));
    // Blank lines of any number collapse; a fixed number of halving passes left an empty field
    // behind a long run, which ended the list early or shifted every later row.
    text = collapseCrLfRuns(std::move(text));

    // A row is six lines, of which the first four are shown; the first line is never read.
    FieldCursor fields(text, u"\r\n");
    for (std::int16_t n = 2; !fields.field(n).empty(); n = add16(n, 6)) {
        rows.addRow(std::u16string(trim(fields.field(n))));
        for (std::int16_t column = 1; column <= 3; ++column)
            rows.setSubItem(column, std::u16string(trim(fields.field(add16(n, column)))));
    }
}

constexpr Column Columns[] = {
    {u"This Week:", 700}, {u"Last Week:", 700}, {u"Artist:", 2200}, {u"Song:", 2200}};

} // namespace

extern const ChartSource KRockSource = {
    .name = "krock",
    .host = u"www.krock.com",
    .caption = u"Top Airplay && Requested Songs:",
    .columns = Columns,
    .path = [](std::u16string_view) { return std::u16string(u"/krockmusic/"); },
    .extract = extractKRock,
    .markers = Markers,
};

} // namespace vandrel
