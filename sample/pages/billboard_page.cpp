#include "sample/pages/chart.h"
#include "sample/pages/html.h"
#include "sample/pages/site_pages.h"

#include <array>

namespace vandrel::sample {
namespace {

constexpr std::array<Link, 6> Links = {{{"Home", "/bb/"},
                                        {"Charts", "/bb/charts/hot100.jsp"},
                                        {"News", "/bb/news/"},
                                        {"Reviews", "/bb/reviews/"},
                                        {"Events", "/bb/events/"},
                                        {"Subscribe", "/bb/subscribe/"}}};

std::string chartPicker(const Chart& shown)
{
    std::string picker = "<form name=\"picker\">\n<select name=\"chart\" "
                         "onChange=\"location.href=this.options[this.selectedIndex].value\">\n";
    for (const std::u16string_view choice : BillboardSource.choices) {
        const Chart& chart = findChart(key(choice));
        picker += "<option value=\"" + pathOf(BillboardSource, choice) + "\"" +
                  (chart.key == shown.key ? " selected" : "") + ">" + std::string(chart.name) +
                  "</option>\n";
    }
    return picker + "</select>\n</form>\n";
}

// Cell 4 holds the title, a comma and the artist on one line, the credits on the next:
// the program takes the artist up to the line's end.
std::string row(Dice& dice, const Entry& entry)
{
    const std::string lastWeek = entry.lastWeek == 0 ? "--" : std::to_string(entry.lastWeek);
    std::string row =
        std::string("<tr bgcolor=\"") + (entry.thisWeek % 2 ? "#FFFFFF" : "#EEF2F7") + "\">\n" +
        "<td class=\"tw\" align=\"center\"><b>" + std::to_string(entry.thisWeek) +
        "</b></td><td class=\"lw\" align=\"center\">" + lastWeek +
        "</td><td class=\"wks\" align=\"center\">" + std::to_string(entry.weeks) +
        "</td><td class=\"title\">\n<b>" + escape(entry.title) + "</b>,<a href=\"/bb/artists/" +
        slug(entry.artist) + ".jsp\">" + escape(entry.artist) + "</a>\n";
    row += "<br><span class=\"credits\">(" + escape(personName(dice)) + ") " + escape(entry.label) +
           "</span></td><td class=\"peak\" align=\"center\">" + std::to_string(entry.peak) +
           "</td>\n</tr>\n";
    return row;
}

std::string table(Dice& dice, const Chart& chart)
{
    std::string table =
        "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"3\">\n"
        "<tr bgcolor=\"#003366\">\n"
        "<td class=\"hdr\" align=\"center\">This<br>Week</td><td class=\"hdr\" "
        "align=\"center\">Last<br>Week</td><td class=\"hdr\" align=\"center\">Wks.&nbsp;on<br>"
        "Chart</td><td class=\"hdr\">Title<br>Artist</td><td class=\"hdr\" "
        "align=\"center\">Peak<br>Position</td>\n</tr>\n";
    for (const auto& entry : makeChart(dice, chart.rows, chart.style))
        table += row(dice, entry);
    return table + "</table>\n";
}

} // namespace

std::string billboardPage(Dice& dice, const Chart& chart)
{
    const Site site{"Billboard.com", "Billboard Online", "/bb/css/charts.css", "/bb/news/",
                    chart.style};
    const std::string name(chart.name);
    std::string page = pageStart(site, "Billboard.com - Charts - " + name,
                                 "This week's " + name + " chart from Billboard.");
    page += "<table width=\"770\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n<tr>\n"
            "<td><a href=\"/bb/\"><img src=\"/bb/images/logo.gif\" width=\"250\" height=\"70\" "
            "border=\"0\" alt=\"Billboard\"></a></td>\n"
            "<td align=\"right\" valign=\"bottom\">" +
            chartPicker(chart) + "</td>\n</tr>\n</table>\n" + navigationBar(Links);
    page += bannerAd(dice);
    page += "<table width=\"770\" border=\"0\" cellspacing=\"0\" cellpadding=\"6\">\n<tr>\n"
            "<td width=\"560\" valign=\"top\">\n<p><font face=\"Georgia, Times\" size=\"5\"><b>" +
            name +
            "</b></font><br>\n<font face=\"Arial, Helvetica\" size=\"2\">Chart for the week "
            "ending March 24, 2001. Compiled from a national sample of radio airplay and "
            "sales.</font></p>\n";
    page += table(dice, chart);
    page += "<p><font face=\"Arial, Helvetica\" size=\"1\">-- = new entry. Titles with the "
            "greatest airplay gains this week are shown in bold.</font></p>\n"
            "</td>\n<td width=\"210\" valign=\"top\" bgcolor=\"#F2F2F2\">\n"
            "<p><font face=\"Arial, Helvetica\" size=\"3\"><b>Chart News</b></font></p>\n";
    const std::string end = "</td>\n</tr>\n</table>\n" + pageEnd(site);
    page += newsToFill(dice, site, page.size() + end.size());
    return page + end;
}

} // namespace vandrel::sample
