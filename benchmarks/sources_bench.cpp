// Each extraction beside one plain pass over the same page text, on a fixture page and on a
// generated page that holds as many rows as the 16-bit positions allow. Pairs share a name:
// <Source>/Extract/<page> against <Source>/Scan/<page>.
#include "sources/chart_source.h"
#include "text/failure.h"
#include "text/utf8.h"

#include "run_benchmarks.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace vandrel {
namespace {

class CountingSink : public RowSink
{
public:
    void AddRow(std::u16string firstColumn) override { size_ += firstColumn.size() + 1; }
    void SetSubItem(int, std::u16string text) override { size_ += text.size(); }
    std::size_t size() const { return size_; }

private:
    std::size_t size_ = 0;
};

// The source's realistic test page: the first of tests/pages/<source>/page*.html.
std::u16string Fixture(const ChartSource& source)
{
    std::vector<std::filesystem::path> pages;
    for (const auto& file : std::filesystem::directory_iterator(
             std::filesystem::path(VANDREL_TEST_PAGES) / source.name)) {
        if (file.path().filename().string().starts_with("page"))
            pages.push_back(file.path());
    }
    std::ranges::sort(pages);
    std::ifstream in(pages.at(0), std::ios::binary);
    return FromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
}

std::u16string Number(int value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

struct Shape
{
    std::u16string head;
    std::u16string (*row)(int number);
    std::u16string tail;
};

std::u16string Build(const Shape& shape, int rows)
{
    std::u16string page = shape.head;
    for (int k = 1; k <= rows; ++k)
        page += shape.row(k);
    return page + shape.tail;
}

bool Fits(const ChartSource& source, const std::u16string& page)
{
    CountingSink sink;
    try {
        source.extract(page, sink);
        return true;
    } catch (const Failure&) {
        return false;
    }
}

// The page with the most rows that the extraction still takes without an overflow.
std::u16string LimitPage(const ChartSource& source, const Shape& shape)
{
    int fits = 1;
    int fails = 40000;
    while (fails - fits > 1) {
        const int middle = (fits + fails) / 2;
        (Fits(source, Build(shape, middle)) ? fits : fails) = middle;
    }
    return Build(shape, fits);
}

const Shape krock = {
    u"<html><body><table><tr><td><a href=\"/\">K-Rock</a></td></tr></table>\r\n<!--END "
    u"HEADER-->\r\n<table class=\"airplay\">\r\n<tr><th>This Week</th><th>Last "
    u"Week</th><th>Artist</th><th>Song</th><th>Album</th><th>Label</th></tr>\r\n",
    [](int k) {
        return u"<tr>\r\n  <td>" + Number(k) + u"</td>\r\n  <td>" + Number(k + 1) +
               u"</td>\r\n  <td>Artist " + Number(k) + u"</td>\r\n  <td>Song " + Number(k) +
               u"</td>\r\n  <td>Album</td>\r\n  <td>Label</td>\r\n</tr>\r\n";
    },
    u"</table>\r\n<p>Footer</p></body></html>\r\n"};

const std::u16string cddbHead =
    u"<html><body><table class=\"chart\">\n\t<tr class=\"head\">\n\t\t<td>Rank</td>\n\t\t<td>Song "
    u"- Artist : Album</td>\n\t</tr>\n";
const std::u16string cddbTail =
    u"</table>\n<p><span class=\"bold\">Updated Mondays.</span></p></body></html>\n";

const Shape albums = {cddbHead,
                      [](int k) {
                          return u"\t<tr>\n\t\t<td>" + Number(k) +
                                 u"</td>\n\t\t<td><a href=\"/music/artist/1\">Artist " + Number(k) +
                                 u"</A> : <a href=\"/music/album/2\">Album</a></td>\n\t</tr>\n";
                      },
                      cddbTail};

const Shape songs = {cddbHead,
                     [](int k) {
                         return u"\t<tr>\n\t\t<td>" + Number(k) +
                                u"</td>\n\t\t<td><span class=\"title\">Song</span> - <a "
                                u"href=\"/music/artist/1\">Artist " +
                                Number(k) +
                                u"</A> : <a href=\"/music/album/2\">Album</a></td>\n\t</tr>\n";
                     },
                     cddbTail};

const Shape billboard = {
    u"<html><body><table class=\"chart\">\n<tr><td>This<br>Week</td><td>Last<br>Week</td>"
    u"<td>Wks</td><td>Title, Artist</td><td>Peak<br>Position</td></tr>\n",
    [](int k) {
        return u"<tr>\n<td>" + Number(k) + u"</td><td>" + Number(k) + u"</td><td>3</td><td>Song " +
               Number(k) + u", Artist\n<br><i>Label</i></td><td>1</td>\n</tr>\n";
    },
    u"</table>\n<p>Footer</p></body></html>\n"};

const Shape hot97 = {
    u"<html><body>\r\n<!-- #BeginEditable \"concert calendar rows\" -->\r\n<table>\r\n"
    u"  <tr>\r\n    <td>Rank</td>\r\n    <td>Song</td>\r\n    <td>Artist</td>\r\n  </tr>\r\n",
    [](int k) {
        return u"  <tr>\r\n    <td>" + Number(k) + u"</td>\r\n    <td>Song " + Number(k) +
               u"</td>\r\n    <td>Artist</td>\r\n  </tr>\r\n";
    },
    u"</table>\r\n<!-- #EndEditable -->\r\n</body></html>\r\n"};

void Extract(benchmark::State& state, const ChartSource* source, const std::u16string& page)
{
    for (auto _ : state) {
        CountingSink sink;
        source->extract(page, sink);
        benchmark::DoNotOptimize(sink.size());
    }
    state.counters["chars"] = static_cast<double>(page.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}

// One pass that looks at every character once, as a lower bound for any extraction.
void Scan(benchmark::State& state, const std::u16string& page)
{
    for (auto _ : state) {
        std::size_t marks = 0;
        for (const char16_t c : page)
            marks += c == u'<' || c == u'\n';
        benchmark::DoNotOptimize(marks);
    }
    state.counters["chars"] = static_cast<double>(page.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}

struct Pair
{
    const char* name;
    const ChartSource* source;
    const Shape* shape;
};

const Pair pairs[] = {
    {"KRock", &KRockSource, &krock},         {"CddbAlbums", &CddbAlbumsSource, &albums},
    {"CddbSongs", &CddbSongsSource, &songs}, {"Billboard", &BillboardSource, &billboard},
    {"Hot97", &Hot97Source, &hot97},
};

void RegisterPairs()
{
    for (const Pair& p : pairs) {
        const std::string name = p.name;
        const std::u16string fixture = Fixture(*p.source);
        const std::u16string limit = LimitPage(*p.source, *p.shape);
        benchmark::RegisterBenchmark((name + "/Extract/Fixture").c_str(), Extract, p.source,
                                     fixture);
        benchmark::RegisterBenchmark((name + "/Scan/Fixture").c_str(), Scan, fixture);
        benchmark::RegisterBenchmark((name + "/Extract/Limit").c_str(), Extract, p.source, limit);
        benchmark::RegisterBenchmark((name + "/Scan/Limit").c_str(), Scan, limit);
    }
}

} // namespace
} // namespace vandrel

int main(int argc, char** argv)
{
    vandrel::RegisterPairs();
    return vandrel::bench::RunBenchmarks(argc, argv);
}
