#include "text/markers.h"

#include "run_benchmarks.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>

// KillTags and Parse beside one plain scan of the same text, the floor for any one-pass routine.
namespace {

using namespace vandrel;

// A page of 32,000 characters holding 3,000 tags of a table, with entities in its cells.
std::u16string tagPage()
{
    static constexpr std::u16string_view tags[] = {u"<tr>",  u"<td>", u"</td>", u"<td>",
                                                   u"</td>", u"<td>", u"</td>", u"</tr>\r\n"};
    static constexpr std::u16string_view words = u"Artist&nbsp;Name - Song Title (Remix) 1999 ";
    constexpr std::size_t tagCount = 3000;
    constexpr std::size_t length = 32000;
    std::size_t tagLength = 0;
    for (std::size_t i = 0; i < tagCount; ++i)
        tagLength += tags[i % std::size(tags)].size();

    std::u16string page;
    std::size_t textLength = 0;
    for (std::size_t i = 0; i < tagCount; ++i) {
        page += tags[i % std::size(tags)];
        for (; textLength < (length - tagLength) * (i + 1) / tagCount; ++textLength)
            page += words[textLength % words.size()];
    }
    return page;
}

std::u16string fourDigits(int n)
{
    const std::string digits = std::to_string(10000 + n).substr(1);
    return std::u16string(digits.begin(), digits.end());
}

constexpr std::u16string_view RowMark = u"\u0001";
constexpr int FieldCount = 1000;

// 1,000 fields of 29 characters between row marks: 30,000 characters.
std::u16string fieldText()
{
    std::u16string text;
    for (int i = 1; i <= FieldCount; ++i) {
        if (i > 1)
            text += RowMark;
        text += u"Artist " + fourDigits(i) + u" - Song Title " + fourDigits(i);
    }
    return text + u".";
}

void scan(benchmark::State& state, std::u16string text, char16_t mark)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        std::size_t marks = 0;
        for (const char16_t c : text)
            marks += c == mark;
        benchmark::DoNotOptimize(marks);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_KillTags_Page(benchmark::State& state)
{
    const std::u16string page = tagPage();
    for (auto _ : state) {
        std::u16string data = page;
        benchmark::DoNotOptimize(KillTags(data));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}

void BM_Scan_KillTagsPage(benchmark::State& state)
{
    scan(state, tagPage(), u'<');
}

// Each call starts again at field 1, so walking all fields costs a pass per field.
void BM_Parse_EveryField(benchmark::State& state)
{
    const std::u16string text = fieldText();
    for (auto _ : state) {
        std::int16_t num = 1;
        while (!Parse(text, RowMark, num).empty())
            ++num;
        benchmark::DoNotOptimize(num);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_Parse_LastField(benchmark::State& state)
{
    const std::u16string text = fieldText();
    for (auto _ : state)
        benchmark::DoNotOptimize(Parse(text, RowMark, FieldCount));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_Scan_ParseText(benchmark::State& state)
{
    scan(state, fieldText(), RowMark.front());
}

BENCHMARK(BM_KillTags_Page);
BENCHMARK(BM_Scan_KillTagsPage);
BENCHMARK(BM_Parse_EveryField);
BENCHMARK(BM_Parse_LastField);
BENCHMARK(BM_Scan_ParseText);

} // namespace

int main(int argc, char** argv)
{
    return vandrel::bench::runBenchmarks(argc, argv);
}
