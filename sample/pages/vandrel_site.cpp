#include "sample/pages/html.h"
#include "sample/pages/sample_pages.h"
#include "sample/pages/site_pages.h"
#include "version.h"

#include <array>

namespace vandrel::sample {
namespace {

constexpr Site Vandrel{"Vandrel", "the Vandrel authors", "/vb/vandrel/site.css",
                       "/vb/vandrel/news/", Style::Pop};

constexpr std::array<Link, 4> Links = {{{"Home", "/vb/vandrel/"},
                                        {"Download", "/vb/vandrel/index.asp"},
                                        {"Screenshots", "/vb/vandrel/shots.asp"},
                                        {"Contact", "/vb/vandrel/contact.asp"}}};

constexpr std::array<std::string_view, 14> Changes = {
    "A chart keeps its list when it has no peak column.",
    "The status line shows the size of the page while it arrives.",
    "Faster parsing of long airplay lists.",
    "The window can no longer be closed while a list is downloading.",
    "New genres on the top ten pages.",
    "The playlist shows the artist before the song.",
    "Fixed a crash when a site sent an empty page.",
    "The About page links to this website.",
    "Check Version? now tells you when a newer version is out.",
    "Smaller download.",
    "The tabs remember nothing between runs, as before, but start faster.",
    "Names with accents show correctly on every page.",
    "Fixed the row count on the status line after an error.",
    "The drop-down lists start on their first item."};

constexpr std::array<std::string_view, 6> Months = {"January", "February", "March",
                                                    "April",   "May",      "June"};

std::string release(Dice& dice, std::string_view version)
{
    const std::string month(dice.pick(Months));
    const std::string day = std::to_string(dice.between(1, 28));
    std::string release = "<h3>Version " + std::string(version) + " &nbsp;<small>(" + month + " " +
                          day + ", 2001)</small></h3>\n<ul>\n";
    for (int change = dice.between(2, 6); change > 0; --change)
        release += "<li>" + std::string(dice.pick(Changes)) + "</li>\n";
    return release + "</ul>\n";
}

// The newest version, then the running one and the revisions before it.
std::string history(Dice& dice, std::size_t bytes)
{
    std::string history = release(dice, NewestVersion);
    const std::string series =
        std::to_string(version::Major) + "." + std::to_string(version::Minor) + ".";
    for (int revision = version::Revision; history.size() < bytes && revision > 0; --revision)
        history += release(dice, series + std::to_string(revision));
    return history;
}

std::string top(std::string_view title)
{
    return pageStart(Vandrel, title, "Vandrel fetches the current top songs and albums.") +
           "<table width=\"760\" border=\"0\" cellspacing=\"0\" cellpadding=\"8\">\n<tr>\n"
           "<td><font face=\"Verdana, Arial\" size=\"5\"><b>Vandrel</b></font><br>\n"
           "<font face=\"Verdana, Arial\" size=\"2\">Today&#39;s charts on your desktop.</font>"
           "</td>\n</tr>\n</table>\n" +
           navigationBar(Links);
}

std::string bottom(Dice& dice, std::size_t size)
{
    const std::string end = pageEnd(Vandrel);
    const auto target = static_cast<std::size_t>(dice.between(22, 30)) * 1024;
    const std::size_t have = size + end.size();
    return "<h2>Release history</h2>\n" + history(dice, have < target ? target - have : 0) + end;
}

} // namespace

std::string versionPage(Dice& dice)
{
    std::string page = top("Vandrel - Download");
    page += "<h2>Download</h2>\n<p>The newest version is <b><!-- Version -->" +
            std::string(NewestVersion) +
            "<!-- Version --></b>. It replaces every earlier version; just start the new "
            "program.</p>\n"
            "<p><a href=\"/vb/vandrel/files/vandrel.zip\">Download Vandrel</a> "
            "(about 60&nbsp;KB). Your settings? There are none: Vandrel keeps no files.</p>\n";
    return withCrLf(page + bottom(dice, page.size()));
}

std::string homePage(Dice& dice)
{
    std::string page = top("Vandrel");
    page += "<h2>Welcome</h2>\n"
            "<p>Vandrel is a small program that fetches the current top songs and albums from "
            "radio stations and chart sites, and shows them as lists. Pick a page, pick a genre "
            "or a chart, press <b>Get</b>.</p>\n"
            "<p>The newest version is " +
            std::string(NewestVersion) +
            ". Get it on the <a href=\"/vb/vandrel/index.asp\">download page</a>.</p>\n";
    return page + bottom(dice, page.size());
}

} // namespace vandrel::sample
