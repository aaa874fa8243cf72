#include "sample/pages/chart.h"
#include "sample/pages/html.h"
#include "sample/pages/site_pages.h"

#include <array>

namespace vandrel::sample {
namespace {

constexpr Site Hot97{"Hot 97.1 FM", "Hot 97.1 Broadcasting", "/styles/hot97.css", "/news/",
                     Style::Urban};

constexpr std::array<Link, 7> Links = {{{"Home", "/default.aspx"},
                                        {"Playlist", "/music/playlist.aspx"},
                                        {"Mix Shows", "/shows/"},
                                        {"Events", "/events/"},
                                        {"Contests", "/contests/"},
                                        {"Listen Live", "/listen/"},
                                        {"Street Team", "/team/"}}};

std::string viewState(Dice& dice)
{
    constexpr std::string_view letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string state = "dDwtMTI3OTMzNDM4NDs7";
    for (int i = 0; i < 1600; ++i)
        state += letters[static_cast<std::size_t>(dice.between(0, 63))];
    return state + "Pg==";
}

std::string row(Dice& dice, const Entry& entry)
{
    return "<tr class=\"row" + std::to_string(entry.thisWeek % 2) + "\">\n  <td>" +
           std::to_string(entry.thisWeek) + "</td>\n  <td>\n    <a href=\"/music/song.aspx?id=" +
           std::to_string(dice.between(1000, 9999)) + "\">" + escape(entry.title) +
           "</a>\n  </td>\n  <td>" + escape(entry.artist) + "</td>\n";
}

// The station's template closes the region before the last row's </tr>, so the rows
// the program reads all carry their own cells and nothing else.
std::string playlist(Dice& dice)
{
    std::string rows;
    for (const auto& entry : makeChart(dice, 20, Style::Urban)) {
        if (!rows.empty())
            rows += "</tr>\n";
        rows += row(dice, entry);
    }
    return "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"3\" "
           "class=\"playlist\">\n"
           "<!-- #BeginEditable \"concert calendar rows\" -->\n"
           "<tr class=\"head\">\n  <td><b>Rank</b></td>\n  <td><b>Song</b></td>\n"
           "  <td><b>Artist</b></td>\n</tr>\n" +
           rows + "<!-- #EndEditable -->\n</tr>\n</table>\n";
}

std::string withTitleRegion(std::string page)
{
    page.replace(page.find("<title>"), 0, "<!-- #BeginEditable \"doctitle\" -->\n");
    const auto end = page.find("</title>\n") + 9;
    page.replace(end, 0, "<!-- #EndEditable -->\n");
    return page;
}

std::string playlistPage(Dice& dice)
{
    std::string page = withTitleRegion(pageStart(
        Hot97, "Hot 97.1 FM :: Playlist", "What Hot 97.1 is playing: the station's top twenty."));
    page += "<form name=\"Form1\" method=\"post\" action=\"playlist.aspx\" id=\"Form1\">\n"
            "<input type=\"hidden\" name=\"__VIEWSTATE\" value=\"" +
            viewState(dice) + "\" />\n";
    page += "<table width=\"760\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\" "
            "bgcolor=\"#1B0033\">\n<tr>\n"
            "<td><a href=\"/default.aspx\"><img src=\"/images/hot97_logo.gif\" width=\"260\" "
            "height=\"80\" border=\"0\" alt=\"Hot 97.1\"></a></td>\n"
            "<td align=\"right\"><a href=\"/listen/\" onClick=\"return openPlayer()\">"
            "<img src=\"/images/listen.gif\" width=\"140\" height=\"40\" border=\"0\" "
            "alt=\"Listen Live\"></a></td>\n</tr>\n</table>\n" +
            navigationBar(Links);
    page += bannerAd(dice);
    page += "<table width=\"760\" border=\"0\" cellspacing=\"0\" cellpadding=\"6\">\n<tr>\n"
            "<td width=\"520\" valign=\"top\">\n<h2>The Hot 97.1 Playlist</h2>\n"
            "<p>The twenty songs we played most this week. Updated every Monday.</p>\n";
    page += playlist(dice);
    page += "</td>\n<td width=\"240\" valign=\"top\" bgcolor=\"#F0E6FA\">\n<h3>Hot News</h3>\n";
    const std::string end = "</td>\n</tr>\n</table>\n</form>\n" + pageEnd(Hot97);
    page += newsToFill(dice, Hot97, page.size() + end.size());
    return withCrLf(page + end);
}

std::u16string plainRow(int k)
{
    return u"  <tr>\r\n    <td>" + decimal(k) + u"</td>\r\n    <td>Song " + decimal(k) +
           u"</td>\r\n    <td>Artist</td>\r\n  </tr>\r\n";
}

} // namespace

extern const SampleSite Hot97Site = {
    .source = "hot97",
    .page = [](const ChartSource&, std::u16string_view, Dice& dice) -> std::optional<Page> {
        return Page{.body = playlistPage(dice)};
    },
    .plain =
        {u"<html><body>\r\n<!-- #BeginEditable \"concert calendar rows\" -->\r\n<table>\r\n"
         u"  <tr>\r\n    <td>Rank</td>\r\n    <td>Song</td>\r\n    <td>Artist</td>\r\n  </tr>\r\n",
         plainRow, u"</table>\r\n<!-- #EndEditable -->\r\n</body></html>\r\n"},
};

} // namespace vandrel::sample
