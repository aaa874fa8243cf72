#include "sources/chart_source.h"
#include "text/failure.h"
#include "text/utf8.h"

#include <cstdlib>

// Every source's extraction on the input read as the UTF-8 text of a page. Whatever the page,
// the window relies on rows within the 16-bit limits, sub-items only on a row that exists and
// within the list's columns, no failure but the program's own, and a marker named whenever a cut
// fails for want of one; anything else aborts, which the fuzzer reports as a crash.
namespace vandrel {
namespace {

struct CheckedRows final : RowSink
{
    explicit CheckedRows(std::size_t columns) : columns(columns) {}

    // The fuzzer reports the abort as a crash, with the stack of the rule that broke.
    static void check(bool holds) { return holds ? void() : std::abort(); }

    void addRow(std::u16string) override { check(++rows <= 32768); }
    void setSubItem(int index, std::u16string) override
    {
        check(rows > 0 && index >= 1 && static_cast<std::size_t>(index) < columns);
    }

    std::size_t columns;
    long rows = 0;
};

} // namespace
} // namespace vandrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string page = vandrel::fromUtf8({reinterpret_cast<const char*>(data), size});
    for (const vandrel::ChartSource* source : vandrel::allSources()) {
        vandrel::CheckedRows rows(source->columns.size());
        // Asked of every page, though the refresh cycle asks only after a failure or no rows.
        const std::u16string missing = vandrel::missingMarker(source->markers, page);
        try {
            source->extract(page, rows);
        } catch (const vandrel::Failure& failure) {
            // A page of another shape ends in the refresh cycle's error path.
            const bool cutFailed = failure.number() == vandrel::Failure::invalidArgument().number();
            vandrel::CheckedRows::check(!cutFailed || !missing.empty());
        }
    }
    return 0;
}
