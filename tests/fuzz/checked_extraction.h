#pragma once

#include "sources/row_sink.h"
#include "text/failure.h"
#include "text/utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// What the window relies on from an extraction, whatever the page: rows within the 16-bit
// limits, sub-items only on a row that exists and within the list's columns, and no failure
// but the program's own. Anything else aborts, which the fuzzer reports as a crash.
namespace vandrel::fuzz {

class CheckedRows final : public RowSink
{
public:
    explicit CheckedRows(int columns) : columns_(columns) {}

    void AddRow(std::u16string) override
    {
        if (++rows_ > maxRows)
            fail("more rows than a 16-bit counter can number");
    }
    void SetSubItem(int index, std::u16string) override
    {
        if (rows_ == 0)
            fail("sub-item before the first row");
        if (index < 1 || index >= columns_)
            fail("sub-item outside the list's columns");
    }

private:
    static constexpr long maxRows = 32768;

    [[noreturn]] static void fail(const char* what)
    {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }

    int columns_;
    long rows_ = 0;
};

// Runs `extract` on the input read as the UTF-8 text of a page.
template <typename Extract>
int RunExtraction(const std::uint8_t* data, std::size_t size, int columns, Extract extract)
{
    CheckedRows rows(columns);
    try {
        extract(FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)), rows);
    } catch (const Failure&) {
        // A page of another shape ends in the refresh cycle's error path.
    }
    return 0;
}

} // namespace vandrel::fuzz
