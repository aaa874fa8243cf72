#include "sample/pages/catalog.h"
#include "sample/pages/chart.h"
#include "sample/pages/html.h"
#include "sample/pages/site_pages.h"

#include <array>

namespace vandrel::sample {
namespace {

constexpr std::array<Link, 6> Links = {{{"Home", "/"},
                                        {"Music", "/music/"},
                                        {"Top Albums", "/music/topgen.html/genre=pop"},
                                        {"Top Songs", "/music/toptracks.html/genre=pop"},
                                        {"Developers", "/developers/"},
                                        {"Support", "/support/"}}};

Site cddbSite(const Genre& genre)
{
    return {"Gracenote CDDB", "Gracenote", "/css/cddb.css", "/music/news/", genre.style};
}

std::string entityName(std::string_view text)
{
    return escape(text, Apostrophe::Entity);
}

std::string artistAndAlbum(Dice& dice, const Entry& entry)
{
    std::string cell = "<a href=\"/music/artist.html?id=" + hexId(dice, 8) + "\">" +
                       entityName(entry.artist) + "</A> : ";
    cell += "<a href=\"/music/album.html?id=" + hexId(dice, 8) + "\">" + entityName(entry.album) +
            "</a>";
    return cell;
}

// Rows indented with tabs only: the program deletes tabs and line ends but keeps blanks.
std::string row(const Entry& entry, const std::string& entryCell)
{
    return std::string("<tr class=\"") + (entry.thisWeek % 2 ? "odd" : "even") + "\">\n" +
           "\t<td class=\"rank\">" + std::to_string(entry.thisWeek) + "</td>\n" +
           "\t<td class=\"entry\">" + entryCell + "</td>\n" + "\t<td class=\"label\">" +
           escape(entry.label) + "</td>\n</tr>\n";
}

// A link to the page of every genre of the source's list.
std::string genreLinks(const ChartSource& source, std::string_view before, std::string_view after)
{
    std::string links;
    for (const std::u16string_view choice : source.choices) {
        links += std::string(before) + "<a href=\"" + choicePath(source, choice) + "\">" +
                 std::string(findGenre(key(choice)).name) + "</a>" + std::string(after);
    }
    return links;
}

std::string genreMenu(const ChartSource& source)
{
    return "<table width=\"150\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n" +
           genreLinks(source, "<tr><td class=\"menu\">", "</td></tr>\n") + "</table>\n";
}

std::string pageTop(Dice& dice, const Genre& genre, std::string_view title,
                    const ChartSource& source)
{
    std::string top = pageStart(cddbSite(genre), title,
                                "The albums and songs CDDB users looked up most this week.");
    top += "<table width=\"770\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n<tr>\n"
           "<td><a href=\"/\"><img src=\"/images/gn_logo.gif\" width=\"220\" height=\"60\" "
           "border=\"0\" alt=\"Gracenote\"></a></td>\n"
           "<td align=\"right\"><form action=\"/music/search.html\" method=\"get\">"
           "<span class=\"bold\">Search CDDB:</span> <input type=\"text\" name=\"q\" size=\"20\"> "
           "<input type=\"submit\" value=\"Go\"></form></td>\n</tr>\n</table>\n" +
           navigationBar(Links);
    top += bannerAd(dice);
    top += "<table width=\"770\" border=\"0\" cellspacing=\"0\" cellpadding=\"4\">\n<tr>\n"
           "<td width=\"150\" valign=\"top\" class=\"side\">\n" +
           genreMenu(source) + "</td>\n<td valign=\"top\">\n<span class=\"title\">" +
           std::string(title) + "</span><br>\n";
    return top;
}

std::string chartTable(std::string_view heading, const std::string& rows)
{
    return "<table class=\"chart\" width=\"100%\" border=\"0\" cellspacing=\"0\" "
           "cellpadding=\"4\">\n<tr class=\"head\">\n\t<td class=\"rank\">#</td>\n\t<td>" +
           std::string(heading) + "</td>\n\t<td class=\"label\">Label</td>\n</tr>\n" + rows +
           "</table>\n<br>\n";
}

std::string moreGenres(std::string_view heading, const ChartSource& source)
{
    return std::string(heading) + genreLinks(source, " ", " |") + "\n<br><br>\n";
}

// The news column's rest and the page's end, for a page of `size` bytes so far.
std::string pageBottom(Dice& dice, const Genre& genre, std::size_t size)
{
    const Site site = cddbSite(genre);
    const std::string end = "</td>\n</tr>\n</table>\n" + pageEnd(site);
    return newsToFill(dice, site, size + end.size()) + end;
}

// `changedShape`: the page of a site that has moved its end marker away.
std::string albumsPage(Dice& dice, const ChartSource& source, const Genre& genre, bool changedShape)
{
    const std::string title = "Top Albums: " + std::string(genre.name);
    std::string rows;
    for (const auto& entry : makeChart(dice, genre.albums, genre.style))
        rows += row(entry, artistAndAlbum(dice, entry));
    // The site's template has CR LF line ends; the rows its script writes have bare line feeds.
    std::string page = withCrLf(pageTop(dice, genre, title, source));
    page += withCrLf("<p class=\"intro\">The albums CDDB users looked up most this week, with the "
                     "disc&nbsp;IDs behind them.</p>\n");
    page += chartTable("Artist : Album", rows);
    page += withCrLf(changedShape ? moreGenres("<div class=\"subhead\">More Genres:</div>", source)
                                  : moreGenres("<span class=\"bold\">More Genres:</span>", source));
    return page + withCrLf(pageBottom(dice, genre, page.size()));
}

std::string songsPage(Dice& dice, const ChartSource& source, const Genre& genre)
{
    const std::string title = "Top Songs: " + std::string(genre.name);
    std::string rows;
    for (const auto& entry : makeChart(dice, genre.songs, genre.style)) {
        const std::string song = "<span class=\"song\">" + entityName(entry.title) + "</span> - ";
        rows += row(entry, song + artistAndAlbum(dice, entry));
    }
    std::string page = pageTop(dice, genre, title, source);
    page += "<p class=\"intro\">The songs CDDB users played most this week.</p>\n";
    page += chartTable("Song - Artist : Album", rows);
    page += moreGenres("<span class=\"bold\">More Genres:</span>", source);
    return page + pageBottom(dice, genre, page.size());
}

constexpr std::u16string_view PlainHead =
    u"<html><body><table class=\"chart\">\n\t<tr class=\"head\">\n\t\t<td>Rank</td>\n\t\t<td>Song "
    u"- Artist : Album</td>\n\t</tr>\n";
constexpr std::u16string_view PlainTail =
    u"</table>\n<p><span class=\"bold\">Updated Mondays.</span></p></body></html>\n";

} // namespace

extern const SampleSite CddbAlbumsSite = {
    .source = "cddb-albums",
    .page = [](const ChartSource& source, std::u16string_view choice,
               Dice& dice) -> std::optional<Page> {
        const Genre& genre = findGenre(key(choice));
        return Page{.body = albumsPage(dice, source, genre, genre.key == ChangedAlbumGenre)};
    },
    .plain = {PlainHead,
              [](int k) {
                  return u"\t<tr>\n\t\t<td>" + decimal(k) +
                         u"</td>\n\t\t<td><a href=\"/music/artist/1\">Artist " + decimal(k) +
                         u"</A> : <a href=\"/music/album/2\">Album</a></td>\n\t</tr>\n";
              },
              PlainTail},
};

extern const SampleSite CddbSongsSite = {
    .source = "cddb-songs",
    .page = [](const ChartSource& source, std::u16string_view choice,
               Dice& dice) -> std::optional<Page> {
        return Page{.body = songsPage(dice, source, findGenre(key(choice)))};
    },
    .plain = {PlainHead,
              [](int k) {
                  return u"\t<tr>\n\t\t<td>" + decimal(k) +
                         u"</td>\n\t\t<td><span class=\"title\">Song</span> - <a "
                         u"href=\"/music/artist/1\">Artist " +
                         decimal(k) +
                         u"</A> : <a href=\"/music/album/2\">Album</a></td>\n\t</tr>\n";
              },
              PlainTail},
};

} // namespace vandrel::sample
