#include "tools/sample-server/chart.h"
#include "tools/sample-server/html.h"
#include "tools/sample-server/site_pages.h"

#include <array>

namespace vandrel::sample {
namespace {

constexpr std::array<Link, 6> Links = {{{"Home", "/"},
                                        {"Music", "/music/"},
                                        {"Top Albums", "/music/topgen.html/genre=pop"},
                                        {"Top Songs", "/music/toptracks.html/genre=pop"},
                                        {"Developers", "/developers/"},
                                        {"Support", "/support/"}}};

Site CddbSite(const Genre& genre)
{
    return {"Gracenote CDDB", "Gracenote", "/css/cddb.css", "/music/news/", genre.style};
}

std::string EntityName(std::string_view text)
{
    return Escape(text, Apostrophe::Entity);
}

std::string ArtistAndAlbum(Dice& dice, const Entry& entry)
{
    std::string cell = "<a href=\"/music/artist.html?id=" + HexId(dice, 8) + "\">" +
                       EntityName(entry.artist) + "</A> : ";
    cell += "<a href=\"/music/album.html?id=" + HexId(dice, 8) + "\">" + EntityName(entry.album) +
            "</a>";
    return cell;
}

// Rows indented with tabs only: the program deletes tabs and line ends but keeps blanks.
std::string Row(const Entry& entry, const std::string& entryCell)
{
    return std::string("<tr class=\"") + (entry.thisWeek % 2 ? "odd" : "even") + "\">\n" +
           "\t<td class=\"rank\">" + std::to_string(entry.thisWeek) + "</td>\n" +
           "\t<td class=\"entry\">" + entryCell + "</td>\n" + "\t<td class=\"label\">" +
           Escape(entry.label) + "</td>\n</tr>\n";
}

std::string GenreMenu(std::string_view path, int Genre::*rows)
{
    std::string menu = "<table width=\"150\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\">\n";
    for (const auto& genre : Genres()) {
        if (genre.*rows > 0)
            menu += "<tr><td class=\"menu\"><a href=\"" + std::string(path) +
                    std::string(genre.key) + "\">" + std::string(genre.name) + "</a></td></tr>\n";
    }
    return menu + "</table>\n";
}

std::string PageTop(Dice& dice, const Genre& genre, std::string_view title,
                    std::string_view genrePath, int Genre::*rows)
{
    std::string top = PageStart(CddbSite(genre), title,
                                "The albums and songs CDDB users looked up most this week.");
    top += "<table width=\"770\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n<tr>\n"
           "<td><a href=\"/\"><img src=\"/images/gn_logo.gif\" width=\"220\" height=\"60\" "
           "border=\"0\" alt=\"Gracenote\"></a></td>\n"
           "<td align=\"right\"><form action=\"/music/search.html\" method=\"get\">"
           "<span class=\"bold\">Search CDDB:</span> <input type=\"text\" name=\"q\" size=\"20\"> "
           "<input type=\"submit\" value=\"Go\"></form></td>\n</tr>\n</table>\n" +
           NavigationBar(Links);
    top += BannerAd(dice);
    top += "<table width=\"770\" border=\"0\" cellspacing=\"0\" cellpadding=\"4\">\n<tr>\n"
           "<td width=\"150\" valign=\"top\" class=\"side\">\n" +
           GenreMenu(genrePath, rows) + "</td>\n<td valign=\"top\">\n<span class=\"title\">" +
           std::string(title) + "</span><br>\n";
    return top;
}

std::string ChartTable(std::string_view heading, const std::string& rows)
{
    return "<table class=\"chart\" width=\"100%\" border=\"0\" cellspacing=\"0\" "
           "cellpadding=\"4\">\n<tr class=\"head\">\n\t<td class=\"rank\">#</td>\n\t<td>" +
           std::string(heading) + "</td>\n\t<td class=\"label\">Label</td>\n</tr>\n" + rows +
           "</table>\n<br>\n";
}

std::string MoreGenres(std::string_view heading, std::string_view path, int Genre::*rows)
{
    std::string more = std::string(heading);
    for (const auto& genre : Genres()) {
        if (genre.*rows > 0)
            more += " <a href=\"" + std::string(path) + std::string(genre.key) + "\">" +
                    std::string(genre.name) + "</a> |";
    }
    return more + "\n<br><br>\n";
}

// The news column's rest and the page's end, for a page of `size` bytes so far.
std::string PageBottom(Dice& dice, const Genre& genre, std::size_t size)
{
    const Site site = CddbSite(genre);
    const std::string end = "</td>\n</tr>\n</table>\n" + PageEnd(site);
    return NewsToFill(dice, site, size + end.size()) + end;
}

} // namespace

std::string CddbAlbumsPage(Dice& dice, const Genre& genre, bool changedShape)
{
    constexpr std::string_view Path = "/music/topgen.html/genre=";
    const std::string title = "Top Albums: " + std::string(genre.name);
    std::string rows;
    for (const auto& entry : MakeChart(dice, genre.albums, genre.style))
        rows += Row(entry, ArtistAndAlbum(dice, entry));
    // The site's template has CR LF line ends; the rows its script writes have bare line feeds.
    std::string page = WithCrLf(PageTop(dice, genre, title, Path, &Genre::albums));
    page += WithCrLf("<p class=\"intro\">The albums CDDB users looked up most this week, with the "
                     "disc&nbsp;IDs behind them.</p>\n");
    page += ChartTable("Artist : Album", rows);
    page += WithCrLf(
        changedShape
            ? MoreGenres("<div class=\"subhead\">More Genres:</div>", Path, &Genre::albums)
            : MoreGenres("<span class=\"bold\">More Genres:</span>", Path, &Genre::albums));
    return page + WithCrLf(PageBottom(dice, genre, page.size()));
}

std::string CddbSongsPage(Dice& dice, const Genre& genre)
{
    constexpr std::string_view Path = "/music/toptracks.html/genre=";
    const std::string title = "Top Songs: " + std::string(genre.name);
    std::string rows;
    for (const auto& entry : MakeChart(dice, genre.songs, genre.style)) {
        const std::string song = "<span class=\"song\">" + EntityName(entry.title) + "</span> - ";
        rows += Row(entry, song + ArtistAndAlbum(dice, entry));
    }
    std::string page = PageTop(dice, genre, title, Path, &Genre::songs);
    page += "<p class=\"intro\">The songs CDDB users played most this week.</p>\n";
    page += ChartTable("Song - Artist : Album", rows);
    page += MoreGenres("<span class=\"bold\">More Genres:</span>", Path, &Genre::songs);
    return page + PageBottom(dice, genre, page.size());
}

} // namespace vandrel::sample
