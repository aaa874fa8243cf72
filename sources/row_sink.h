#pragma once

#include <string>

namespace vandrel {

// Where an extraction puts its rows: AddRow appends a row holding the first column,
// SetSubItem fills column `index` (from 1) of the row added last.
class RowSink
{
public:
    RowSink() = default;
    RowSink(const RowSink&) = delete;
    RowSink& operator=(const RowSink&) = delete;
    virtual ~RowSink() = default;
    virtual void AddRow(std::u16string firstColumn) = 0;
    virtual void SetSubItem(int index, std::u16string text) = 0;
};

} // namespace vandrel
