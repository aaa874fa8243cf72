#include "sources/chart_source.h"
#include "sources/hosts.h"
#include "text/cuts.h"
#include "text/field_cursor.h"
#include "text/int16.h"
#include "text/line_ends.h"
#include "text/markers.h"

// The K-Rock station's top airplay and requested songs: This Week, Last Week, Artist, Song.
namespace vandrel {
namespace {

void ExtractKRock(std::u16string text, RowSink& rows)
{
    const std::u16string_view list =
        CutBeforeFromSecond(AfterFirst(text, u"<!--END HEADER-->"), u"</table>");
    text = std::u16string(AfterFirst(list, u"</tr>"));
    KillTags(text);
    // A line feed that already has its carriage return is left alone: pages with CR LF line
    // ends would otherwise get CR CR LF, and every field would keep a stray carriage return.
    text = CrLfForBareLf(std::move(text));
    // Blank lines of any number collapse; a fixed number of halving passes left an empty field
    // behind a long run, which ended the list early or shifted every later row.
    text = CollapseCrLfRuns(std::move(text));

    // A row is six lines, of which the first four are shown; the first line is never read.
    FieldCursor fields(text, u"\r\n");
    for (std::int16_t n = 2; !fields.Field(n).empty(); n = Add16(n, 6)) {
        rows.AddRow(std::u16string(Trim(fields.Field(n))));
        for (std::int16_t column = 1; column <= 3; ++column)
            rows.SetSubItem(column, std::u16string(Trim(fields.Field(Add16(n, column)))));
    }
}

constexpr Column columns[] = {
    {u"This Week:", 700}, {u"Last Week:", 700}, {u"Artist:", 2200}, {u"Song:", 2200}};

} // namespace

const ChartSource KRockSource = {
    "krock",
    u"Top Airplay && Requested Songs:",
    {},
    columns,
    [](std::u16string_view) { return hosts::HttpAddress(hosts::KRock, u"/krockmusic/"); },
    nullptr,
    ExtractKRock,
};

} // namespace vandrel
