#include "sample/pages/chart.h"
#include "sample/pages/html.h"
#include "sample/pages/site_pages.h"

#include <array>

namespace vandrel::sample {
namespace {

constexpr Site KRock{"92.3 K-Rock", "K-Rock Radio", "/styles/krock.css", "/krocknews/",
                     Style::Rock};

constexpr std::array<Link, 7> Links = {{{"Home", "/"},
                                        {"Music", "/krockmusic/"},
                                        {"DJs", "/djs/"},
                                        {"Concerts", "/concerts/"},
                                        {"Contests", "/contests/"},
                                        {"Listen Live", "/listen/"},
                                        {"Contact", "/contact.html"}}};

std::string cell(std::string_view align, const std::string& text)
{
    return "<td" + std::string(align) + "><font face=\"Arial, Helvetica\" size=\"2\">" + text +
           "</font></td>\n";
}

// Six cells on six lines: the program reads a row as six lines of text.
std::string row(Dice& dice, const Entry& entry)
{
    constexpr std::string_view centre = " align=\"center\"";
    const std::string lastWeek = entry.lastWeek == 0 ? "&nbsp;" : std::to_string(entry.lastWeek);
    return std::string("<tr bgcolor=\"") + (entry.thisWeek % 2 ? "#1A1A1A" : "#2B2B2B") + "\">\n" +
           cell(centre, "<b>" + std::to_string(entry.thisWeek) + "</b>") + cell(centre, lastWeek) +
           cell("", "<a href=\"/artists/" + slug(entry.artist) + ".html\">" + escape(entry.artist) +
                        "</a>") +
           cell("", escape(entry.title)) + cell(centre, std::to_string(entry.weeks)) +
           cell(centre, std::to_string(dice.between(12, 480))) + "</tr>\n";
}

std::string header(Dice& dice)
{
    return "<!--BEGIN HEADER-->\n"
           "<table width=\"760\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\" "
           "bgcolor=\"#000000\">\n<tr>\n"
           "<td width=\"300\"><a href=\"/\"><img src=\"/images/krock_logo.gif\" width=\"300\" "
           "height=\"90\" border=\"0\" alt=\"92.3 K-Rock\"></a></td>\n"
           "<td width=\"460\" align=\"right\"><a href=\"/listen/\" onClick=\"return "
           "openPlayer()\"><img src=\"/images/listen_live.gif\" width=\"150\" height=\"40\" "
           "border=\"0\" alt=\"Listen Live!\"></a></td>\n</tr>\n</table>\n" +
           navigationBar(Links) + bannerAd(dice) + "<!--END HEADER-->\n";
}

std::string list(Dice& dice)
{
    std::string list =
        "<p><font face=\"Arial, Helvetica\" size=\"4\" color=\"#CC0000\"><b>Top Airplay &amp; "
        "Requested Songs</b></font><br>\n"
        "<font face=\"Arial, Helvetica\" size=\"2\">For the week of March 24, 2001. "
        "TW&nbsp;=&nbsp;this week, LW&nbsp;=&nbsp;last week, Wks&nbsp;=&nbsp;weeks on the list, "
        "Req&nbsp;=&nbsp;calls to the request line.</font></p>\n"
        "<table width=\"100%\" border=\"0\" cellspacing=\"1\" cellpadding=\"3\">\n"
        "<tr bgcolor=\"#990000\">\n";
    for (const auto* title : {"TW", "LW", "Artist", "Title", "Wks", "Req"})
        list += cell("", std::string("<b>") + title + "</b>");
    list += "</tr>\n";
    for (const auto& entry : makeChart(dice, 30, Style::Rock))
        list += row(dice, entry);
    return list + "</table>\n";
}

std::string airplayPage(Dice& dice)
{
    std::string page =
        pageStart(KRock, "92.3 K-Rock :: Top Airplay &amp; Requests",
                  "The songs 92.3 K-Rock played most this week, and the ones you asked for.");
    page += header(dice);
    page += "<table width=\"760\" border=\"0\" cellspacing=\"0\" cellpadding=\"6\">\n<tr>\n"
            "<td width=\"540\" valign=\"top\" bgcolor=\"#000000\">\n";
    page += list(dice);
    page += "<p><font face=\"Arial, Helvetica\" size=\"1\" color=\"#999999\">Want to hear it? "
            "Call the K-Rock request line any time, day or night.</font></p>\n"
            "</td>\n<td width=\"220\" valign=\"top\" bgcolor=\"#EEEEEE\">\n"
            "<p><font face=\"Arial, Helvetica\" size=\"3\"><b>K-Rock News</b></font></p>\n";
    const std::string end = "</td>\n</tr>\n</table>\n" + pageEnd(KRock);
    page += newsToFill(dice, KRock, page.size() + end.size());
    return page + end;
}

std::u16string plainRow(int k)
{
    return u"<tr>\r\n  <td>" + decimal(k) + u"</td>\r\n  <td>" + decimal(k + 1) +
           u"</td>\r\n  <td>Artist " + decimal(k) + u"</td>\r\n  <td>Song " + decimal(k) +
           u"</td>\r\n  <td>Album</td>\r\n  <td>Label</td>\r\n</tr>\r\n";
}

} // namespace

extern const SampleSite KRockSite = {
    .source = "krock",
    .page = [](const ChartSource&, std::u16string_view, Dice& dice) -> std::optional<Page> {
        return Page{.body = airplayPage(dice)};
    },
    .plain = {u"<html><body><table><tr><td><a href=\"/\">K-Rock</a></td></tr></table>\r\n<!--END "
              u"HEADER-->\r\n<table class=\"airplay\">\r\n<tr><th>This Week</th><th>Last "
              u"Week</th><th>Artist</th><th>Song</th><th>Album</th><th>Label</th></tr>\r\n",
              plainRow, u"</table>\r\n<p>Footer</p></body></html>\r\n"},
};

} // namespace vandrel::sample
