#include "sources/chart_source.h"
#include "sources/hosts.h"
#include "sources/refresh_cycle.h"
#include "text/failure.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>

namespace vandrel {
namespace {

namespace fs = std::filesystem;
using Text = std::u16string;

Text Escaped(const Text& cell)
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
    void AddRow(Text first) override { text.append(u"\n").append(Escaped(first)); }
    void SetSubItem(int index, Text cell) override
    {
        const bool next = index == std::ranges::count(text.substr(text.rfind(u'\n')), u'\t') + 1;
        text.append(next ? u"\t" : u"\t?").append(Escaped(cell));
    }

    Text text;
};

Text Extract(const ChartSource& source, Text page)
{
    Rows rows;
    try {
        source.extract(std::move(page), rows);
    } catch (const Failure& failure) {
        rows.text.append(u"\n").append(FromUtf8(failure.description()));
    }
    return rows.text.empty() ? Text() : rows.text.substr(1) + u"\n";
}

Text Read(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return FromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
}

// Every pages/<source>/<case>.html beside <case>.tsv, the rows it gives, and <case>.error, the
// description of the failure that ends it.
TEST(Sources, EveryPageGivesItsGoldenRows)
{
    for (const ChartSource* source : AllSources()) {
        int cases = 0;
        for (const auto& file :
             fs::directory_iterator(fs::path(VANDREL_TEST_PAGES) / source->name)) {
            const fs::path& page = file.path();
            if (page.extension() != ".html")
                continue;
            ++cases;
            EXPECT_EQ(Extract(*source, Read(page)),
                      Read(fs::path(page).replace_extension(".tsv")) +
                          Read(fs::path(page).replace_extension(".error")))
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
    const std::tuple<const ChartSource*, Text, Text, int, Text, long, long, bool> limits[] = {
        {&CddbAlbumsSource, cddb, u"1</td></tr>", 32767, bold, 32767, 32767 * 2, false},
        {&CddbAlbumsSource, cddb, u"1</td></tr>", 32768, bold, 32768, 32768 * 2, true},
        {&CddbSongsSource, cddb, u"1</td></tr>", 32769, bold, 0, 0, true},
        {&BillboardSource, peak, u"</tr>", 32767, table, 32766, 32766 * 5, false},
        {&BillboardSource, peak, u"</tr>", 32768, table, 32767, 32767 * 5, true},
        {&BillboardSource, peak, u"</tr>", 32769, table, 0, 0, true},
        {&BillboardSource, peak, u"x", 32752, u"<>" + table, 0, 0, false},
        {&BillboardSource, peak, u"x", 32753, u"<>" + table, 0, 0, true},
        {&Hot97Source, hot97, u"a</td></tr>", 32766, end, 32766, 32766 * 2, false},
        {&Hot97Source, hot97, u"a</td></tr>", 32767, u"z" + end, 32768, 32768 * 2, true},
        {&Hot97Source, hot97, u"a</td></tr>", 32767, end, 32767, 32767 * 2, true},
        {&Hot97Source, hot97, u"a</td></tr>", 32768, end, 0, 0, true},
        {&Hot97Source, hot97, u"x\r\n", 32766, end, 1, 2, false},
        {&Hot97Source, hot97, u"\r\n", 32767, end, 0, 0, true},
        {&Hot97Source, hot97, u"\n", 32767, end, 0, 0, true},
        {&KRockSource, krock + u"-\r\n", krockRow, 1600, table, 1490, 1489 * 3, true},
        {&KRockSource, krock + u"--\r\n", krockRow, 1600, table, 1489, 1489 * 3, true},
    };
    for (const auto& [source, head, piece, times, tail, rows, cells, overflows] : limits) {
        Text page = head;
        for (int i = 0; i < times; ++i)
            page += piece;
        const Text outcome = Extract(*source, page + tail);
        EXPECT_EQ(outcome.ends_with(u"Overflow\n"), overflows) << rows;
        EXPECT_EQ(std::ranges::count(outcome, u'\n') - overflows, rows) << rows;
        EXPECT_EQ(std::ranges::count(outcome, u'\t'), cells) << rows;
    }
}

// The address and caption of every drop-down item: the address by a rule per source, the
// irregular ones once more literally.
TEST(Sources, AddressesAndCaptions)
{
    // Host, path before and after the item, caption before the item.
    const std::tuple<std::u16string_view, Text, Text, Text> sources[] = {
        {hosts::KRock, u"/krockmusic/", u"", u""},
        {hosts::Gracenote, u"/music/topgen.html/genre=", u"", u"Digital Top Ten Albums ("},
        {hosts::Gracenote, u"/music/toptracks.html/genre=", u"", u"Digital Top Ten Songs ("},
        {hosts::Billboard, u"/bb/charts/airplay/", u".jsp", u"Billboard Charts ("},
        {hosts::Hot97, u"/music/playlist.aspx", u"", u""},
    };
    ASSERT_EQ(AllSources().size(), std::size(sources));
    for (std::size_t i = 0; i < std::size(sources); ++i) {
        const ChartSource& source = *AllSources()[i];
        const auto& [host, pathStart, pathEnd, choiceCaption] = sources[i];
        ASSERT_EQ(source.choiceCaption == nullptr, choiceCaption.empty());
        for (const std::u16string_view choice : source.choices) {
            Text key(choice);
            for (char16_t& c : key)
                c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
            const Text path = key == u"hot100" ? u"/bb/charts/hot100.jsp"
                                               : Text(pathStart).append(key).append(pathEnd);
            EXPECT_EQ(source.address(choice), hosts::HttpAddress(host, path));
            EXPECT_EQ(source.choiceCaption(choice),
                      Text(choiceCaption).append(choice).append(u"):"));
        }
        if (source.choices.empty()) {
            EXPECT_EQ(source.address(u""), hosts::HttpAddress(host, pathStart));
        }
    }
    EXPECT_EQ(BillboardSource.address(u"HOT100"),
              hosts::HttpAddress(hosts::Billboard, u"/bb/charts/hot100.jsp"));
    EXPECT_EQ(BillboardSource.choiceCaption(u"HOT100"), u"Billboard Charts (HOT100):");
    EXPECT_EQ(BillboardSource.address(u"RnB"),
              hosts::HttpAddress(hosts::Billboard, u"/bb/charts/airplay/rnb.jsp"));
    EXPECT_EQ(CddbAlbumsSource.address(u"HipHop"),
              hosts::HttpAddress(hosts::Gracenote, u"/music/topgen.html/genre=hiphop"));
}

// A page that writes down every call the cycle makes, in order, each followed by '|'. Its list
// starts with a row of the run before.
class RecordingPage final : public CyclePage
{
public:
    explicit RecordingPage(Text download) : download_(std::move(download)) {}

    void SetGetEnabled(bool enabled) override { Call(enabled ? u"enable" : u"disable"); }
    void SetStatus(const Text& text) override { Call(u"status " + text); }
    void ClearList() override { Call(u"clear"); }
    int RowCount() const override { return rows_; }
    Text Choice() const override { return u"HipHop"; }
    void SetCaption(const Text& caption) override { Call(u"caption " + caption); }
    Text Download(const Text& address) override
    {
        Call(u"get " + address);
        return download_;
    }
    // What a run of a test takes, in a locale with a decimal comma.
    Text FormatSeconds(double s) const override { return s >= 0 && s < 5 ? u"0,1" : u"bad"; }
    void AddRow(Text first) override { Call(u"row " + first); }
    void SetSubItem(int index, Text cell) override { Call((index == 1 ? u"sub " : u"?") + cell); }

    Text calls;

private:
    void Call(const Text& call)
    {
        calls += call + u"|";
        rows_ = call == u"clear" ? 0 : rows_ + call.starts_with(u"row ");
    }

    Text download_;
    int rows_ = 1;
};

// Two rows; a page that names a failure ends in it after the first row or its sub-item.
// NOLINTNEXTLINE(performance-unnecessary-value-param): the signature of every extraction
void TwoRows(Text page, RowSink& rows)
{
    rows.AddRow(u"1");
    if (page == u"overflow")
        throw Failure::overflow();
    rows.SetSubItem(1, u"a");
    if (page == u"invalid")
        throw Failure::invalidArgument();
    rows.AddRow(u"2");
}

// The address and the caption of a choice.
Text Named(std::u16string_view choice)
{
    return Text(u"<").append(choice).append(u">");
}

const ChartSource captioned{"c", u"", {}, {}, Named, Named, TwoRows};
const ChartSource fixed{"f", u"", {}, {}, Named, nullptr, TwoRows};

TEST(RefreshCycle, StepsStatusTextsAndButton)
{
    const Text start = u"disable|status Downloading List...|clear|";
    const Text get = u"caption <HipHop>|get <HipHop>|status Parsing...|row 1|";
    const Text done = u"sub a|row 2|enable|status Done. (0,1 secs)\r\n(2 Found)|";
    const Text error = u"enable|status An error occured while processing the list: ";
    const Text latest = u".\r\nMake sure you have the latest version of this program.|";
    const std::tuple<const ChartSource*, Text, Text> runs[] = {
        {&captioned, u"<page>", start + get + done},
        {&fixed, u"<page>", start + get.substr(get.find(u"get")) + done},
        {&captioned, u"", start + get.substr(0, get.find(u"status")) + u"enable|"},
        {&captioned, u"overflow", start + get + error + u"Overflow" + latest},
        {&captioned, u"invalid",
         start + get + u"sub a|" + error + u"Invalid procedure call or argument" + latest},
    };
    for (const auto& [source, download, calls] : runs) {
        RecordingPage page(download);
        RunRefreshCycle(page, *source);
        EXPECT_EQ(page.calls, calls);
    }
}

} // namespace
} // namespace vandrel
