// Each extraction beside one plain pass over the same page text, on a fixture page and on a
// generated page that holds as many rows as the 16-bit positions allow. Pairs share a name:
// <Source>/Extract/<page> against <Source>/Scan/<page>.
#include "sample/pages/plain_pages.h"
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
    void addRow(std::u16string firstColumn) override { size_ += firstColumn.size() + 1; }
    void setSubItem(int, std::u16string text) override { size_ += text.size(); }
    std::size_t size() const { return size_; }

private:
    std::size_t size_ = 0;
};

// The source's realistic test page: the first of tests/pages/<source>/page*.html.
std::u16string fixturePage(const ChartSource& source)
{
    std::vector<std::filesystem::path> pages;
    for (const auto& file : std::filesystem::directory_iterator(
             std::filesystem::path(VANDREL_TEST_PAGES) / source.name)) {
        if (file.path().filename().string().starts_with("page"))
            pages.push_back(file.path());
    }
    std::ranges::sort(pages);
    std::ifstream in(pages.at(0), std::ios::binary);
    return fromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
}

bool extractionFits(const ChartSource& source, const std::u16string& page)
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
std::u16string limitPage(const ChartSource& source)
{
    int fits = 1;
    int fails = 40000;
    while (fails - fits > 1) {
        const int middle = (fits + fails) / 2;
        (extractionFits(source, sample::plainPage(source, middle)) ? fits : fails) = middle;
    }
    return sample::plainPage(source, fits);
}

void extract(benchmark::State& state, const ChartSource* source, const std::u16string& page)
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
void scan(benchmark::State& state, const std::u16string& page)
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

void registerPairs()
{
    for (const ChartSource* source : allSources()) {
        const std::string name(source->name);
        const std::u16string fixture = fixturePage(*source);
        const std::u16string limit = limitPage(*source);
        benchmark::RegisterBenchmark((name + "/Extract/Fixture").c_str(), extract, source, fixture);
        benchmark::RegisterBenchmark((name + "/Scan/Fixture").c_str(), scan, fixture);
        benchmark::RegisterBenchmark((name + "/Extract/Limit").c_str(), extract, source, limit);
        benchmark::RegisterBenchmark((name + "/Scan/Limit").c_str(), scan, limit);
    }
}

} // namespace
} // namespace vandrel

int main(int argc, char** argv)
{
    vandrel::registerPairs();
    return vandrel::bench::runBenchmarks(argc, argv);
}
