#pragma once

#include <string>

namespace vandrel {

// Where an extraction puts its rows: addRow appends a row holding the first column,
// setSubItem fills column `index` (from 1) of the row added last.
class RowSink
{
public:
    RowSink() = default;
    RowSink(const RowSink&) = delete;
    RowSink& operator=(const RowSink&) = delete;
    virtual ~RowSink() = default;
    virtual void addRow(std::u16string firstColumn) = 0;
    virtual void setSubItem(int index, std::u16string text) = 0;
};

} // namespace vandrel
