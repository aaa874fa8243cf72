// The road of one saved page from its bytes to its TSV lines, step by step, over the golden sample
// pages of each source: PageSteps/<source>/<step>, one page per iteration, the pages in turn.
// PageSteps/<source>/All takes every step in a row, as a run over saved pages does, and
// PageSteps/<source>/ReadAndScan is the floor beside it: reading the file and one plain pass over
// its bytes. benchmarks/page_profile.py runs the All benchmark under callgrind and gives each
// step's instructions per page.
#include "cli/rows.h"
#include "net/ampersands.h"
#include "net/body_text.h"
#include "sources/chart_source.h"
#include "sources/tsv.h"

#include "run_benchmarks.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace vandrel {
namespace {

// The rows as vandrel-fetch keeps them: as many cells as the source has columns.
class TableSink : public RowSink
{
public:
    explicit TableSink(std::size_t columns) : rows_(columns) {}

    void addRow(std::u16string firstColumn) override
    {
        rows_.add();
        rows_.setLast(0, firstColumn);
    }

    void setSubItem(int index, std::u16string text) override
    {
        if (index > 0 && std::size_t(index) < rows_.columns())
            rows_.setLast(std::size_t(index), text);
    }

    Rows takeRows() { return std::move(rows_); }

private:
    Rows rows_;
};

// The golden sample pages of a source that give rows: tests/pages/<source>/sample*.html without
// a failure beside them, sorted.
std::vector<QString> samplePages(const ChartSource& source)
{
    std::vector<QString> pages;
    for (const auto& file : std::filesystem::directory_iterator(
             std::filesystem::path(VANDREL_TEST_PAGES) / source.name)) {
        const auto& path = file.path();
        if (path.filename().string().starts_with("sample") && path.extension() == ".html" &&
            !std::filesystem::exists(std::filesystem::path(path).replace_extension(".error")))
            pages.push_back(QString::fromStdString(path.string()));
    }
    std::ranges::sort(pages);
    return pages;
}

// The steps are kept out of line, so that a profile shows each on its own.
[[gnu::noinline]] QByteArray readPage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

[[gnu::noinline]] QString decoded(const QByteArray& bytes)
{
    return BodyText(bytes, QByteArray()).text();
}

[[gnu::noinline]] std::u16string copied(const QString& text)
{
    return text.toStdU16String();
}

[[gnu::noinline]] Rows extracted(const ChartSource& source, std::u16string text)
{
    TableSink sink(source.columns.size());
    source.extract(std::move(text), sink);
    return sink.takeRows();
}

[[gnu::noinline]] QByteArray tsv(const Rows& rows)
{
    std::u16string text;
    for (std::size_t row = 0; row < rows.size(); ++row)
        appendTabSeparatedLine(text, rows.row(row));
    return QString::fromStdU16String(text).toUtf8();
}

[[gnu::noinline]] QByteArray allSteps(const ChartSource& source, const QString& path)
{
    return tsv(extracted(source, copied(withPlainAmpersands(decoded(readPage(path))))));
}

std::size_t scanned(const QByteArray& bytes)
{
    std::size_t marks = 0;
    for (const char c : bytes)
        marks += c == '<' || c == '\n';
    return marks;
}

// Runs `step` on each input in turn, one per iteration.
template <typename Input, typename Step>
void eachPage(benchmark::State& state, const std::vector<Input>& inputs, Step step)
{
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(step(inputs[next]));
        next = (next + 1) % inputs.size();
    }
    state.counters["pages"] = static_cast<double>(inputs.size());
}

template <typename Input, typename Step>
void registerStep(const std::string& name, std::vector<Input> inputs, Step step)
{
    benchmark::RegisterBenchmark(name.c_str(), [inputs = std::move(inputs), step](auto& state) {
        eachPage(state, inputs, step);
    });
}

// Each step's inputs are the previous step's outputs, made once beforehand.
void registerSource(const ChartSource& source)
{
    const std::vector<QString> paths = samplePages(source);
    if (paths.empty())
        return;
    const std::string prefix = "PageSteps/" + std::string(source.name) + "/";
    std::vector<QByteArray> bytes;
    std::vector<QString> texts;
    std::vector<QString> plain;
    std::vector<std::u16string> copies;
    std::vector<Rows> tables;
    for (const QString& path : paths) {
        bytes.push_back(readPage(path));
        texts.push_back(decoded(bytes.back()));
        plain.push_back(withPlainAmpersands(texts.back()));
        copies.push_back(copied(plain.back()));
        tables.push_back(extracted(source, copies.back()));
    }
    registerStep(prefix + "Read", paths, readPage);
    registerStep(prefix + "Decode", bytes, decoded);
    registerStep(prefix + "Ampersands", texts, withPlainAmpersands);
    registerStep(prefix + "Copy", plain, copied);
    // The page is copied for each pass, as the steps before hand it over by value.
    registerStep(prefix + "Extract", copies,
                 [&source](const std::u16string& text) { return extracted(source, text); });
    registerStep(prefix + "Tsv", tables, tsv);
    registerStep(prefix + "All", paths,
                 [&source](const QString& path) { return allSteps(source, path); });
    registerStep(prefix + "ReadAndScan", paths,
                 [](const QString& path) { return scanned(readPage(path)); });
}

} // namespace
} // namespace vandrel

int main(int argc, char** argv)
{
    for (const vandrel::ChartSource* source : vandrel::allSources())
        vandrel::registerSource(*source);
    return vandrel::bench::runBenchmarks(argc, argv);
}
