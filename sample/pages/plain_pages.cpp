#include "sample/pages/plain_pages.h"

#include <stdexcept>
#include <string_view>

namespace vandrel::sample {
namespace {

std::u16string number(int value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

struct Shape
{
    const ChartSource* source;
    std::u16string_view head;
    std::u16string (*row)(int number);
    std::u16string_view tail;
};

constexpr std::u16string_view CddbHead =
    u"<html><body><table class=\"chart\">\n\t<tr class=\"head\">\n\t\t<td>Rank</td>\n\t\t<td>Song "
    u"- Artist : Album</td>\n\t</tr>\n";
constexpr std::u16string_view CddbTail =
    u"</table>\n<p><span class=\"bold\">Updated Mondays.</span></p></body></html>\n";

const Shape Shapes[] = {
    {&KRockSource,
     u"<html><body><table><tr><td><a href=\"/\">K-Rock</a></td></tr></table>\r\n<!--END "
     u"HEADER-->\r\n<table class=\"airplay\">\r\n<tr><th>This Week</th><th>Last "
     u"Week</th><th>Artist</th><th>Song</th><th>Album</th><th>Label</th></tr>\r\n",
     [](int k) {
         return u"<tr>\r\n  <td>" + number(k) + u"</td>\r\n  <td>" + number(k + 1) +
                u"</td>\r\n  <td>Artist " + number(k) + u"</td>\r\n  <td>Song " + number(k) +
                u"</td>\r\n  <td>Album</td>\r\n  <td>Label</td>\r\n</tr>\r\n";
     },
     u"</table>\r\n<p>Footer</p></body></html>\r\n"},

    {&CddbAlbumsSource, CddbHead,
     [](int k) {
         return u"\t<tr>\n\t\t<td>" + number(k) +
                u"</td>\n\t\t<td><a href=\"/music/artist/1\">Artist " + number(k) +
                u"</A> : <a href=\"/music/album/2\">Album</a></td>\n\t</tr>\n";
     },
     CddbTail},
    {&CddbSongsSource, CddbHead,
     [](int k) {
         return u"\t<tr>\n\t\t<td>" + number(k) +
                u"</td>\n\t\t<td><span class=\"title\">Song</span> - <a "
                u"href=\"/music/artist/1\">Artist " +
                number(k) + u"</A> : <a href=\"/music/album/2\">Album</a></td>\n\t</tr>\n";
     },
     CddbTail},
    {&BillboardSource,
     u"<html><body><table class=\"chart\">\n<tr><td>This<br>Week</td><td>Last<br>Week</td>"
     u"<td>Wks</td><td>Title, Artist</td><td>Peak<br>Position</td></tr>\n",
     [](int k) {
         return u"<tr>\n<td>" + number(k) + u"</td><td>" + number(k) + u"</td><td>3</td><td>Song " +
                number(k) + u", Artist\n<br><i>Label</i></td><td>1</td>\n</tr>\n";
     },
     u"</table>\n<p>Footer</p></body></html>\n"},
    {&Hot97Source,
     u"<html><body>\r\n<!-- #BeginEditable \"concert calendar rows\" -->\r\n<table>\r\n"
     u"  <tr>\r\n    <td>Rank</td>\r\n    <td>Song</td>\r\n    <td>Artist</td>\r\n  </tr>\r\n",
     [](int k) {
         return u"  <tr>\r\n    <td>" + number(k) + u"</td>\r\n    <td>Song " + number(k) +
                u"</td>\r\n    <td>Artist</td>\r\n  </tr>\r\n";
     },
     u"</table>\r\n<!-- #EndEditable -->\r\n</body></html>\r\n"}};

} // namespace

std::u16string plainPage(const ChartSource& source, int rows)
{
    for (const Shape& shape : Shapes) {
        if (shape.source != &source)
            continue;
        std::u16string page(shape.head);
        for (int k = 1; k <= rows; ++k)
            page += shape.row(k);
        return page.append(shape.tail);
    }
    throw std::out_of_range("no plain page for " + std::string(source.name));
}

} // namespace vandrel::sample
