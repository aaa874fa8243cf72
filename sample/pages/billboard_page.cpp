#include "sample/pages/catalog.h"
#include "sample/pages/chart.h"
#include "sample/pages/html.h"
#include "sample/pages/site_pages.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vandrel::sample {
namespace {

using namespace std::chrono_literals;

struct Chart
{
    std::string_view key;
    std::string_view name; // already escaped for HTML
    Style style;
    int rows;
};

constexpr std::array<Chart, 12> Charts = {{
    {"adult", "Adult Top 40", Style::Pop, 30},
    {"contemporary", "Adult Contemporary", Style::Pop, 25},
    {"country", "Hot Country Singles &amp; Tracks", Style::Country, 40},
    {"dance", "Hot Dance Music/Club Play", Style::Dance, 35},
    {"dance_radio", "Hot Dance Radio Airplay", Style::Dance, 25},
    {"digital", "Hot Digital Tracks", Style::Pop, 30},
    {"hot100", "The Billboard Hot 100", Style::Pop, 50},
    {"latintracks", "Hot Latin Tracks", Style::Latin, 30},
    {"mainstream", "Mainstream Rock Tracks", Style::Rock, 30},
    {"modern", "Modern Rock Tracks", Style::Rock, 30},
    {"rap", "Hot Rap Tracks", Style::Urban, 25},
    {"rnb", "Hot R&amp;B/Hip-Hop Singles &amp; Tracks", Style::Urban, 40},
}};

const Chart& findChart(std::string_view key)
{
    const auto found = std::ranges::find(Charts, key, &Chart::key);
    if (found == Charts.end())
        throw std::out_of_range("no sample page for " + std::string(key));
    return *found;
}

constexpr std::array<Link, 6> Links = {{{"Home", "/bb/"},
                                        {"Charts", "/bb/charts/hot100.jsp"},
                                        {"News", "/bb/news/"},
                                        {"Reviews", "/bb/reviews/"},
                                        {"Events", "/bb/events/"},
                                        {"Subscribe", "/bb/subscribe/"}}};

std::string chartPicker(const ChartSource& source, const Chart& shown)
{
    std::string picker = "<form name=\"picker\">\n<select name=\"chart\" "
                         "onChange=\"location.href=this.options[this.selectedIndex].value\">\n";
    for (const std::u16string_view choice : source.choices) {
        const Chart& chart = findChart(key(choice));
        picker += "<option value=\"" + choicePath(source, choice) + "\"" +
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

std::string chartPage(Dice& dice, const ChartSource& source, const Chart& chart)
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
            chartPicker(source, chart) + "</td>\n</tr>\n</table>\n" + navigationBar(Links);
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

std::u16string plainRow(int k)
{
    return u"<tr>\n<td>" + decimal(k) + u"</td><td>" + decimal(k) + u"</td><td>3</td><td>Song " +
           decimal(k) + u", Artist\n<br><i>Label</i></td><td>1</td>\n</tr>\n";
}

} // namespace

extern const SampleSite BillboardSite = {
    .source = "billboard",
    .page = [](const ChartSource& source, std::u16string_view choice,
               Dice& dice) -> std::optional<Page> {
        const Chart& chart = findChart(key(choice));
        if (chart.key == MissingChart)
            return std::nullopt;
        return Page{.body = chartPage(dice, source, chart),
                    .spread = chart.key == SlowChart ? 4s : 0s};
    },
    .plain = {u"<html><body><table class=\"chart\">\n<tr><td>This<br>Week</td><td>Last<br>"
              u"Week</td><td>Wks</td><td>Title, Artist</td><td>Peak<br>Position</td></tr>\n",
              plainRow, u"</table>\n<p>Footer</p></body></html>\n"},
};

} // namespace vandrel::sample
