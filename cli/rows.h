#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// The rows of one list, each with as many cells as the list has columns. The cells' texts lie one
// after the other in one buffer: a list of many rows costs a few allocations, and each string an
// extraction hands over is freed at once, while the allocator still holds it close at hand.
class Rows
{
    struct Cell
    {
        std::size_t start = 0;
        std::size_t length = 0;
    };

public:
    // The cells of one row in column order, as views that last until the rows change.
    class Row
    {
    public:
        class Iterator
        {
        public:
            Iterator(const Cell* cell, std::u16string_view text) : cell_(cell), text_(text) {}

            std::u16string_view operator*() const
            {
                return text_.substr(cell_->start, cell_->length);
            }
            Iterator& operator++()
            {
                ++cell_;
                return *this;
            }
            bool operator==(const Iterator& other) const { return cell_ == other.cell_; }

        private:
            const Cell* cell_;
            std::u16string_view text_;
        };

        Row(const Cell* first, std::size_t columns, std::u16string_view text)
            : first_(first), columns_(columns), text_(text)
        {
        }
        Iterator begin() const { return {first_, text_}; }
        Iterator end() const { return {first_ + columns_, text_}; }

    private:
        const Cell* first_;
        std::size_t columns_;
        std::u16string_view text_;
    };

    Rows() = default;
    explicit Rows(std::size_t columns) : columns_(columns) {}

    std::size_t columns() const { return columns_; }
    std::size_t size() const { return columns_ == 0 ? 0 : cells_.size() / columns_; }
    // The characters of all cells together, or more.
    std::size_t textSize() const { return text_.size(); }
    Row row(std::size_t row) const { return {&cells_[row * columns_], columns_, text_}; }
    std::u16string_view cell(std::size_t row, std::size_t column) const
    {
        const Cell& cell = cells_[row * columns_ + column];
        return std::u16string_view(text_).substr(cell.start, cell.length);
    }

    // Adds a row of empty cells at the end.
    void add() { cells_.resize(cells_.size() + columns_); }
    void set(std::size_t row, std::size_t column, std::u16string_view text)
    {
        put(cells_[row * columns_ + column], text);
    }
    // A cell of the row added last.
    void setLast(std::size_t column, std::u16string_view text)
    {
        put(cells_[cells_.size() - columns_ + column], text);
    }
    void clear()
    {
        text_.clear();
        cells_.clear();
    }

private:
    void put(Cell& cell, std::u16string_view text)
    {
        cell = {text_.size(), text.size()};
        text_ += text;
    }

    std::size_t columns_ = 0;
    std::u16string text_;
    std::vector<Cell> cells_;
};

} // namespace vandrel
