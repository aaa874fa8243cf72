// Each extraction beside one plain pass over the same page text, on a fixture page and on a
// generated page that holds as many rows as the 16-bit positions allow. Pairs share a name:
// <Source>/Extract/<page> against <Source>/Scan/<page>.
#include "sources/chart_source.h"
#include "text/failure.h"
#include "text/utf8.h"
#include "tools/sample-server/plain_pages.h"

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
std::u16string LimitPage(const ChartSource& source)
{
    int fits = 1;
    int fails = 40000;
    while (fails - fits > 1) {
        const int middle = (fits + fails) / 2;
        (Fits(source, sample::PlainPage(source, middle)) ? fits : fails) = middle;
    }
    return sample::PlainPage(source, fits);
}

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

void RegisterPairs()
{
    for (const ChartSource* source : AllSources()) {
        const std::string name(source->name);
        const std::u16string fixture = Fixture(*source);
        const std::u16string limit = LimitPage(*source);
        benchmark::RegisterBenchmark((name + "/Extract/Fixture").c_str(), Extract, source, fixture);
        benchmark::RegisterBenchmark((name + "/Scan/Fixture").c_str(), Scan, fixture);
        benchmark::RegisterBenchmark((name + "/Extract/Limit").c_str(), Extract, source, limit);
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
