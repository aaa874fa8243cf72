#include "sample/pages/html.h"

#include <array>

namespace vandrel::sample {
namespace {

constexpr std::string_view Scripts = R"(<script language="JavaScript">
<!--
var isNav4 = (document.layers) ? true : false;
var isIE4 = (document.all) ? true : false;

function preloadImages() {
  var d = document;
  if (d.images) {
    if (!d.preloaded) d.preloaded = new Array();
    var a = preloadImages.arguments;
    for (var i = 0; i < a.length; i++) {
      if (a[i].indexOf("#") != 0) {
        d.preloaded[i] = new Image;
        d.preloaded[i].src = a[i];
      }
    }
  }
}

function swapImage(name, source) {
  if (document.images && document.images[name]) document.images[name].src = source;
}

function openPlayer() {
  var player = window.open('/listen/player.html', 'player',
      'width=320,height=240,toolbar=no,location=no,status=no,scrollbars=no,resizable=no');
  if (player && player.focus) player.focus();
  return false;
}
//-->
</script>
<script language="JavaScript">
<!--
var months = new Array("January", "February", "March", "April", "May", "June", "July",
    "August", "September", "October", "November", "December");
function writeToday() {
  var now = new Date();
  var year = now.getYear();
  if (year < 1000) year += 1900;
  document.write(months[now.getMonth()] + " " + now.getDate() + ", " + year);
}
//-->
</script>
)";

constexpr std::array<std::string_view, 6> Headlines = {
    "{artist} Announces {n}-City Tour", "{artist} Live at the {venue} {month} {day}",
    "New Video from {artist}",          "Win Tickets to See {artist}",
    "{artist} Signs with {label}",      "{artist} Back in the Studio"};

constexpr std::array<std::string_view, 10> Sentences = {
    "Tickets go on sale {weekday} at 10 a.m. at all the usual outlets.",
    "Listen all week for your chance to win a pair of passes.",
    "The new album, <i>{album}</i>, hits stores {month} {day}.",
    "The sessions wrapped in {place} last month with producer {person}.",
    "Doors open at 7&nbsp;p.m.; all ages welcome.",
    "{person} sat down with us to talk about the record and the road.",
    "Check back here for set times and the after-show party.",
    "The first single, &quot;{song}&quot;, is already climbing the charts.",
    "Fans who missed the last visit won&#39;t want to miss this one.",
    "Call the request line any time and tell us what you want to hear."};

constexpr std::array<std::string_view, 4> Months = {"March", "April", "May", "June"};
constexpr std::array<std::string_view, 5> Weekdays = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                                      "Friday"};

void replaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Fills the {placeholders} of a news template with fresh invented names.
std::string fillIn(std::string text, Dice& dice, Style style)
{
    replaceAll(text, "{artist}", escape(artistName(dice, style)));
    replaceAll(text, "{album}", escape(albumTitle(dice, style)));
    replaceAll(text, "{song}", escape(songTitle(dice, style)));
    replaceAll(text, "{person}", escape(personName(dice)));
    replaceAll(text, "{venue}", escape(venueName(dice)));
    replaceAll(text, "{label}", escape(labelName(dice)));
    replaceAll(text, "{place}", escape(placeName(dice)));
    replaceAll(text, "{month}", dice.pick(Months));
    replaceAll(text, "{weekday}", dice.pick(Weekdays));
    replaceAll(text, "{day}", std::to_string(dice.between(1, 28)));
    replaceAll(text, "{n}", std::to_string(dice.between(12, 40)));
    return text;
}

std::string newsItem(Dice& dice, const Site& site)
{
    std::string item = "<p class=\"news\"><font face=\"Verdana, Arial, Helvetica\" size=\"2\"><b>" +
                       fillIn(std::string(dice.pick(Headlines)), dice, site.style) + "</b><br>\n";
    for (int sentence = dice.between(2, 4); sentence > 0; --sentence)
        item += fillIn(std::string(dice.pick(Sentences)), dice, site.style) + "\n";
    item += "<a href=\"" + std::string(site.newsPath) + hexId(dice, 6) +
            ".html\">Read more...</a></font></p>\n";
    return item;
}

} // namespace

std::string escape(std::string_view text, Apostrophe apostrophe)
{
    std::string escaped;
    for (const char c : text) {
        if (c == '&')
            escaped += "&amp;";
        else if (c == '\'' && apostrophe == Apostrophe::Entity)
            escaped += "&#39;";
        else
            escaped += c;
    }
    return escaped;
}

std::string slug(std::string_view text)
{
    std::string slug;
    for (const char c : text) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            slug += c;
        else if (c >= 'A' && c <= 'Z')
            slug += static_cast<char>(c - 'A' + 'a');
        else if (c == ' ' && !slug.empty() && slug.back() != '_')
            slug += '_';
    }
    return slug;
}

std::string hexId(Dice& dice, int digits)
{
    constexpr std::string_view hexDigits = "0123456789abcdef";
    std::string id;
    for (int i = 0; i < digits; ++i)
        id += hexDigits[static_cast<std::size_t>(dice.between(0, 15))];
    return id;
}

std::string withCrLf(std::string_view text)
{
    std::string converted;
    converted.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n')
            converted += '\r';
        converted += c;
    }
    return converted;
}

std::string pageStart(const Site& site, std::string_view title, std::string_view description)
{
    return "<html>\n<head>\n<title>" + std::string(title) +
           "</title>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
           "<meta name=\"description\" content=\"" +
           std::string(description) +
           "\">\n"
           "<meta name=\"keywords\" content=\"music, charts, radio, top songs, new releases, "
           "concerts, tickets, artists, albums\">\n"
           "<meta name=\"robots\" content=\"index,follow\">\n"
           "<link rel=\"stylesheet\" href=\"" +
           std::string(site.stylesheet) + "\" type=\"text/css\">\n" + std::string(Scripts) +
           "</head>\n"
           "<body bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#003399\" vlink=\"#663399\" "
           "leftmargin=\"0\" topmargin=\"0\" marginwidth=\"0\" marginheight=\"0\" "
           "onLoad=\"preloadImages('/images/nav_on.gif','/images/listen_on.gif')\">\n"
           "<a name=\"top\"></a>\n";
}

std::string navigationBar(std::span<const Link> links)
{
    std::string bar = "<table width=\"760\" border=\"0\" cellspacing=\"0\" cellpadding=\"0\" "
                      "bgcolor=\"#000033\">\n"
                      "<tr>\n";
    int number = 1;
    for (const auto& link : links) {
        const std::string name = "nav" + std::to_string(number++);
        const std::string image = "/images/nav_" + slug(link.label);
        bar.append("<td><a href=\"").append(link.href).append("\" onMouseOver=\"swapImage('");
        bar.append(name).append("','").append(image).append("_on.gif')\" onMouseOut=\"swapImage('");
        bar.append(name).append("','").append(image).append(".gif')\"><img name=\"").append(name);
        bar.append("\" src=\"")
            .append(image)
            .append(".gif\" width=\"95\" height=\"24\" border=\"0\" alt=\"");
        bar.append(link.label).append("\"></a></td>\n");
    }
    return bar + "</tr>\n</table>\n";
}

std::string bannerAd(Dice& dice)
{
    const std::string id = hexId(dice, 8);
    return "<!-- begin ad -->\n<p align=\"center\"><a href=\"/ads/click.cgi?id=" + id +
           "\" target=\"_blank\"><img src=\"/ads/banner_" + id +
           ".gif\" width=\"468\" height=\"60\" border=\"0\" alt=\"Click here!\"></a></p>\n"
           "<!-- end ad -->\n";
}

std::string newsItems(Dice& dice, const Site& site, std::size_t bytes)
{
    std::string items;
    while (items.size() < bytes)
        items += newsItem(dice, site);
    return items;
}

std::string newsToFill(Dice& dice, const Site& site, std::size_t size)
{
    const auto target = static_cast<std::size_t>(dice.between(24, 40)) * 1024;
    return size < target ? newsItems(dice, site, target - size) : std::string();
}

std::string pageEnd(const Site& site)
{
    return "<hr size=\"1\" noshade>\n"
           "<p align=\"center\"><font face=\"Verdana, Arial, Helvetica\" size=\"1\">\n"
           "<a href=\"/\">Home</a> | <a href=\"/contact.html\">Contact Us</a> | "
           "<a href=\"/privacy.html\">Privacy Policy</a> | "
           "<a href=\"/advertise.html\">Advertise</a> | <a href=\"#top\">Top</a><br>\n"
           "Copyright &copy; 2001 " +
           std::string(site.owner) +
           ". All rights reserved.<br>\n"
           "Best viewed with a 4.0 browser or later at 800&nbsp;x&nbsp;600.\n"
           "</font></p>\n"
           "</body>\n</html>\n";
}

} // namespace vandrel::sample
