#include "sources/chart_source.h"
#include "text/failure.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <tuple>

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using Text = std::u16string;

Text escaped(const Text& cell)
{
    Text escaped;
    for (const char16_t c : cell)
        escaped += c >= 0x20 && c != u'\\' ? Text(1, c)
                                           : Text{u'\\', u'x', u"0123456789abcdef"[c >> 4],
                                                  u"0123456789abcdef"[c & 15]};
    return escaped;
}

// The rows as tab-separated lines, each control character and backslash written \xNN, a
// sub-item that does not fill the next column marked '?'; then the description of the failure
// that ended the extraction, if one did.
struct Rows : RowSink
{
    void addRow(Text first) override { text.append(u"\n").append(escaped(first)); }
    void setSubItem(int index, Text cell) override
    {
        const bool next = index == std::ranges::count(text.substr(text.rfind(u'\n')), u'\t') + 1;
        text.append(next ? u"\t" : u"\t?").append(escaped(cell));
    }

    Text text;
};

Text extract(const ChartSource& source, const Text& page)
{
    Rows rows;
    try {
        source.extract(page, rows);
    } catch (const Failure& failure) {
        rows.text.append(u"\n").append(fromUtf8(failure.description()));
    }
    return rows.text.empty() ? Text() : rows.text.substr(1) + u"\n";
}

// The source called `name`; a missing one fails the test.
const ChartSource& source(std::string_view name)
{
    return findSource(name) ? *findSource(name) : throw std::invalid_argument(std::string(name));
}

Text read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return fromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
}

// Every pages/<source>/<case>.html beside <case>.tsv, the rows it gives, <case>.error, the
// description of the failure that ends it, and <case>.marker, the marker it lacks where the
// extraction looks for it, named when a cut fails or no row comes.
TEST(Sources, EveryPageGivesItsGoldenRows)
{
    for (const ChartSource* source : allSources()) {
        int cases = 0;
        for (const auto& file :
             fs::directory_iterator(fs::path(VANDREL_TEST_PAGES) / source->name)) {
            const fs::path& page = file.path();
            if (page.extension() != ".html")
                continue;
            ++cases;
            const Text rows = read(fs::path(page).replace_extension(".tsv"));
            const Text error = read(fs::path(page).replace_extension(".error"));
            const Text marker = read(fs::path(page).replace_extension(".marker"));
            EXPECT_EQ(extract(*source, read(page)), rows + error) << page;
            const bool diagnosed = error.starts_with(u"Invalid") || (rows.empty() && error.empty());
            EXPECT_EQ(diagnosed ? missingMarker(source->markers, read(page)) : u"",
                      marker.substr(0, marker.size() - 1))
                << page;
        }
        EXPECT_GE(cases, 5) << source->name;
    }
}

// Pages on both sides of each 16-bit limit of the extractions: row and line counters, field
// numbers and positions. Billboard strips its tags from "Peak<br>Position" on. A K-Rock row is 22
// characters; row 1,489 starts at position 32,762 (32,763 behind "--"), so its first field ends at
// 32,766 and the next one overflows (or the first field itself overflows).
TEST(Sources, SixteenBitLimits)
{
    const Text cddb = u"Artist : Album</tr>", bold = u"<span class=\"bold\">";
    const Text peak = u"Peak<br>Position", table = u"</table>", krock = u"<!--END HEADER--></tr>";
    const Text hot97 = u"<!-- #BeginEditable \"concert calendar rows\" --></tr>";
    const Text end = u"<!-- #EndEditable -->", krockRow = u"r0000\r\nl\r\na\r\ns\r\nx\r\ny\r\n";
    // Source, page head, piece, times, page tail, rows, sub-items, overflow.
    const std::tuple<const char*, Text, Text, int, Text, long, long, bool> limits[] = {
        {"cddb-albums", cddb, u"1</td></tr>", 32767, bold, 32767, 32767 * 2, false},
        {"cddb-albums", cddb, u"1</td></tr>", 32768, bold, 32768, 32768 * 2, true},
        {"cddb-songs", cddb, u"1</td></tr>", 32769, bold, 0, 0, true},
        {"billboard", peak, u"</tr>", 32767, table, 32766, 32766 * 5, false},
        {"billboard", peak, u"</tr>", 32768, table, 32767, 32767 * 5, true},
        {"billboard", peak, u"</tr>", 32769, table, 0, 0, true},
        {"billboard", peak, u"x", 32752, u"<>" + table, 0, 0, false},
        {"billboard", peak, u"x", 32753, u"<>" + table, 0, 0, true},
        {"hot97", hot97, u"a</td></tr>", 32766, end, 32766, 32766 * 2, false},
        {"hot97", hot97, u"a</td></tr>", 32767, u"z" + end, 32768, 32768 * 2, true},
        {"hot97", hot97, u"a</td></tr>", 32767, end, 32767, 32767 * 2, true},
        {"hot97", hot97, u"a</td></tr>", 32768, end, 0, 0, true},
        {"hot97", hot97, u"x\r\n", 32766, end, 1, 2, false},
        {"hot97", hot97, u"\r\n", 32767, end, 0, 0, true},
        {"hot97", hot97, u"\n", 32767, end, 0, 0, true},
        {"krock", krock + u"-\r\n", krockRow, 1600, table, 1490, 1489 * 3, true},
        {"krock", krock + u"--\r\n", krockRow, 1600, table, 1489, 1489 * 3, true},
    };
    for (const auto& [name, head, piece, times, tail, rows, cells, overflows] : limits) {
        Text page = head;
        for (int i = 0; i < times; ++i)
            page += piece;
        const Text outcome = extract(source(name), page + tail);
        EXPECT_EQ(outcome.ends_with(u"Overflow\n"), overflows) << rows;
        EXPECT_EQ(std::ranges::count(outcome, u'\n') - overflows, rows) << rows;
        EXPECT_EQ(std::ranges::count(outcome, u'\t'), cells) << rows;
    }
}

// The addresses that do not follow from the drop-down item alone, and a caption that does.
TEST(Sources, AddressesAndCaptions)
{
    // Source, item, address, caption (none for a source whose caption never changes).
    const std::tuple<const char*, Text, Text, Text> items[] = {
        {"krock", u"", u"http://www.krock.com/krockmusic/", u""},
        {"hot97", u"", u"http://www.hot97.com/music/playlist.aspx", u""},
        {"billboard", u"Hot100", u"http://www.billboard.com/bb/charts/hot100.jsp",
         u"Billboard Charts (Hot100):"},
        {"billboard", u"Dance_Radio", u"http://www.billboard.com/bb/charts/airplay/dance_radio.jsp",
         u"Billboard Charts (Dance_Radio):"},
        {"cddb-albums", u"HipHop", u"http://www.gracenote.com/music/topgen.html/genre=hiphop",
         u"Digital Top Ten Albums (HipHop):"},
        {"cddb-songs", u"Pop", u"http://www.gracenote.com/music/toptracks.html/genre=pop",
         u"Digital Top Ten Songs (Pop):"},
    };
    for (const auto& [name, item, address, caption] : items) {
        const ChartSource& chart = source(name);
        EXPECT_EQ(chart.address(item), address);
        ASSERT_EQ(chart.choiceCaption == nullptr, caption.empty()) << name;
        if (chart.choiceCaption) {
            EXPECT_EQ(chart.choiceCaption(item), caption);
        }
    }
}

} // namespace
} // namespace vandrel
