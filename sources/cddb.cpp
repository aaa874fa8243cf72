#include "sources/chart_source.h"
#include "text/case_fold.h"
#include "text/cuts.h"
#include "text/int16.h"
#include "text/markers.h"
#include "text/replace.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The CDDB top ten albums and top ten songs of one genre: one extraction serves both pages.
namespace vandrel {
namespace {

// What tells the CDDB top albums and top songs pages apart.
struct CddbLayout
{
    std::u16string_view captionStart; // followed by the genre and "):"
    std::u16string_view path;         // followed by the genre in lower case
    // The texts between the parts of a row's second cell; each ends just before an "<a" tag.
    std::span<const std::u16string_view> partSeparators;
    // The part of the second cell that each sub-item shows, from sub-item 1 on.
    std::span<const std::int16_t> subItemParts;
};

constexpr std::u16string_view ListStart = u"Artist : Album";
constexpr std::u16string_view ListEnd = u"<span class=\"bold\">";
constexpr std::u16string_view RowEnd = u"</tr>";
constexpr std::u16string_view RowMark = u"\u0001";
constexpr std::u16string_view CellMark = u"\u0002";
constexpr std::u16string_view PartMark = u"\u0003";
constexpr std::u16string_view PartMarkAndLink = u"\u0003<a";

constexpr std::array<std::u16string_view, 1> AlbumSeparators = {u"</A> : <a"};
constexpr std::array<std::int16_t, 2> AlbumParts = {1, 2};
constexpr std::array<std::u16string_view, 2> SongSeparators = {u"</A> : <a", u"</span> - <a"};
constexpr std::array<std::int16_t, 3> SongParts = {2, 1, 3};

// Every piece before the last row end is a row, so a list without one has none.
constexpr PageMarker Markers[] = {
    {.text = ListStart, .role = MarkerRole::ListStart, .cut = MarkerCut::After},
    {.text = RowEnd, .role = MarkerRole::HeaderRowEnd, .cut = MarkerCut::After},
    {.text = ListEnd, .role = MarkerRole::ListEnd, .cut = MarkerCut::BeforeFromSecond},
    {.text = RowEnd, .role = MarkerRole::RowEnd, .cut = MarkerCut::Within, .exact = true},
};

std::u16string cutTable(std::u16string_view page)
{
    const std::u16string_view rows = afterFirst(afterFirst(page, ListStart), RowEnd);
    return std::u16string(cutBeforeFromSecond(rows, ListEnd));
}

std::u16string markAndStrip(std::u16string text, const CddbLayout& layout)
{
    // Removing line breaks can join a marker, so it comes first. Cell ends, row ends and part
    // separators cannot overlap one another, and the marks put in hold none of them, so one
    // pass replaces them all.
    text = removeChars(std::move(text), u"\r\n\t");
    std::vector<Replacement> marks = {{u"</td>", CellMark}, {RowEnd, RowMark}};
    for (const std::u16string_view separator : layout.partSeparators)
        marks.push_back({separator, PartMarkAndLink});
    text = replaceEach(std::move(text), marks);
    KillTags(text);
    return replaceAll(std::move(text), u"&nbsp;", u"");
}

std::u16string path(const CddbLayout& layout, std::u16string_view genre)
{
    return std::u16string(layout.path).append(toLower(genre));
}

std::u16string caption(const CddbLayout& layout, std::u16string_view genre)
{
    return std::u16string(layout.captionStart).append(genre).append(u"):");
}

const CddbLayout CddbAlbums = {u"Digital Top Ten Albums (", u"/music/topgen.html/genre=",
                               AlbumSeparators, AlbumParts}; // This Week, Artist, Album
const CddbLayout CddbSongs = {u"Digital Top Ten Songs (", u"/music/toptracks.html/genre=",
                              SongSeparators, SongParts}; // This Week, Artist, Song, Album

void extractCddb(std::u16string_view page, const CddbLayout& layout, RowSink& rows)
{
    const std::u16string text = markAndStrip(cutTable(page), layout);
    const auto pieces = split(text, RowMark);
    // What follows the last row end is never a row.
    const long long last = static_cast<long long>(pieces.size()) - 2;
    forEach16(0, last, [&](std::int16_t i) {
        const std::u16string_view piece = pieces[static_cast<std::size_t>(i)];
        rows.addRow(Parse(piece, CellMark, 1));
        const std::u16string parts = Parse(piece, CellMark, 2);
        std::int16_t column = 1;
        for (const std::int16_t part : layout.subItemParts)
            rows.setSubItem(column++, Parse(parts, PartMark, part));
    });
}

constexpr std::u16string_view AlbumGenres[] = {
    u"Alt",    u"Blues",  u"Catalog", u"Celtic",     u"Country", u"Folk",
    u"Gospel", u"HipHop", u"Jazz",    u"Latin",      u"Metal",   u"Pop",
    u"Reggae", u"RnB",    u"Rock",    u"Soundtrack", u"Techno",  u"World"};
constexpr std::u16string_view SongGenres[] = {u"Alt",        u"Catalog", u"Country", u"Gospel",
                                              u"Jazz",       u"Latin",   u"Pop",     u"Rock",
                                              u"Soundtrack", u"Techno",  u"Urban",   u"World"};
constexpr Column AlbumColumns[] = {{u"This Week:", 500}, {u"Artist:", 2900}, {u"Album:", 2900}};
constexpr Column SongColumns[] = {
    {u"This Week:", 500}, {u"Artist:", 2000}, {u"Song:", 2000}, {u"Album:", 1800}};
// Both lists lie on Gracenote's server.
constexpr std::u16string_view Host = u"www.gracenote.com";
} // namespace

extern const ChartSource CddbAlbumsSource = {
    .name = "cddb-albums",
    .host = Host,
    .caption = u"Digital Top Ten Albums:",
    .choices = AlbumGenres,
    .choiceName = u"Genre",
    .columns = AlbumColumns,
    .path = [](std::u16string_view genre) { return path(CddbAlbums, genre); },
    .choiceCaption = [](std::u16string_view genre) { return caption(CddbAlbums, genre); },
    .extract = [](std::u16string_view page, RowSink& rows) { extractCddb(page, CddbAlbums, rows); },
    .markers = Markers,
};

extern const ChartSource CddbSongsSource = {
    .name = "cddb-songs",
    .host = Host,
    .caption = u"Digital Top Ten Songs:",
    .choices = SongGenres,
    .choiceName = u"Genre",
    .columns = SongColumns,
    .path = [](std::u16string_view genre) { return path(CddbSongs, genre); },
    .choiceCaption = [](std::u16string_view genre) { return caption(CddbSongs, genre); },
    .extract = [](std::u16string_view page, RowSink& rows) { extractCddb(page, CddbSongs, rows); },
    .markers = Markers,
};

} // namespace vandrel
