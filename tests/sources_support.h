#pragma once

#include "sources/chart_source.h"
#include "sources/row_sink.h"

#include <string>
#include <string_view>
#include <vector>

namespace vandrel::test {

using Row = std::vector<std::u16string>;

// Keeps the rows as columns and checks that every sub-item fills the next column of the row
// added last, so a source that sets its columns out of order fails.
class RecordingSink : public RowSink
{
public:
    void AddRow(std::u16string firstColumn) override;
    void SetSubItem(int index, std::u16string text) override;

    std::vector<Row> rows;
    std::vector<std::string> outOfOrder; // one entry per misplaced call
};

// What an extraction left behind: its rows and the number of the failure that ended it (0 for
// none).
struct Outcome
{
    std::vector<Row> rows;
    int failure = 0;
    std::vector<std::string> outOfOrder;
};

Outcome Extract(const ChartSource& source, std::u16string text);

// A fixture page from tests/pages, UTF-8 on disk.
std::u16string LoadPage(std::string_view name);

// Every LF of the text turned into CR LF, or every CR LF into LF.
std::u16string WithCrLf(std::u16string_view text);
std::u16string WithLf(std::u16string_view text);

} // namespace vandrel::test
