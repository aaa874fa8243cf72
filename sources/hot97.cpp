#include "sources/chart_source.h"
#include "text/cuts.h"
#include "text/int16.h"
#include "text/line_ends.h"
#include "text/markers.h"
#include "text/replace.h"

// The Hot 97 station's playlist: Rank, Artist, Song.
namespace vandrel {
namespace {

constexpr std::u16string_view ListStart = u"<!-- #BeginEditable \"concert calendar rows\" -->";
constexpr std::u16string_view ListEnd = u"<!-- #EndEditable -->";
constexpr std::u16string_view RowEnd = u"</tr>";
constexpr std::u16string_view CellMark = u"\u0001";
constexpr std::u16string_view RowMark = u"\u0002";
// Cell and row ends cannot overlap, so one pass marks both.
constexpr Replacement CellAndRowMarks[] = {{u"</td>", CellMark}, {RowEnd, RowMark}};

// A region without a row's end is empty of rows once its tags and blanks are gone.
constexpr PageMarker Markers[] = {
    {.text = ListStart, .role = MarkerRole::ListStart, .cut = MarkerCut::After},
    {.text = RowEnd, .role = MarkerRole::HeaderRowEnd, .cut = MarkerCut::After},
    {.text = ListEnd, .role = MarkerRole::ListEnd, .cut = MarkerCut::BeforeFromSecond},
    {.text = RowEnd, .role = MarkerRole::RowEnd, .cut = MarkerCut::Within},
};

std::u16string cutRegion(std::u16string_view page)
{
    const std::u16string_view region = afterFirst(afterFirst(page, ListStart), RowEnd);
    return std::u16string(cutBeforeFromSecond(region, ListEnd));
}

// The trimmed lines, written one after the other.
std::u16string joinTrimmedLines(const std::u16string& text)
{
    auto lines = split(text, u"\r\n");
    forEach16(0, static_cast<long long>(lines.size()) - 1, [&](std::int16_t i) {
        lines[static_cast<std::size_t>(i)] = trim(lines[static_cast<std::size_t>(i)]);
    });
    // Every line feed had its carriage return and went with the split, so joining the lines
    // with CR LF and deleting every CR LF until none is left comes to plain concatenation.
    std::u16string joined;
    joined.reserve(text.size());
    for (const auto& line : lines)
        joined.append(line);
    return joined;
}

void extractHot97(std::u16string_view page, RowSink& rows)
{
    std::u16string text = cutRegion(page);
    text = replaceEachIgnoreCase(std::move(text), CellAndRowMarks);
    KillTags(text);
    // Pages with bare line feeds must split into the same lines as CR LF pages; otherwise the
    // whole region was one line whose cells kept their line feeds and indentation.
    text = crLfForBareLf(std::move(text));

    const std::u16string joined = joinTrimmedLines(text);
    const auto rowStrings = split(joined, RowMark);
    const long long last = static_cast<long long>(rowStrings.size()) - 1;
    forEach16(0, last, [&](std::int16_t i) {
        const std::u16string_view row = rowStrings[static_cast<std::size_t>(i)];
        // The region's last row end is followed only by white space and tags, which leaves an
        // empty last string on every normal page; it is no row.
        if (i == last && row.empty())
            return;
        rows.addRow(Parse(row, CellMark, 1));
        rows.setSubItem(1, Parse(row, CellMark, 3));
        rows.setSubItem(2, Parse(row, CellMark, 2));
    });
}

constexpr Column Columns[] = {{u"Rank:", 650}, {u"Artist:", 2600}, {u"Song:", 2600}};

} // namespace

extern const ChartSource Hot97Source = {
    .name = "hot97",
    .host = u"www.hot97.com",
    .caption = u"Hot 97 Playlist:",
    .columns = Columns,
    .path = [](std::u16string_view) { return std::u16string(u"/music/playlist.aspx"); },
    .extract = extractHot97,
    .markers = Markers,
};

} // namespace vandrel
