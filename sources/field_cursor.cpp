#include "sources/field_cursor.h"

#include "text/failure.h"

#include <limits>

namespace vandrel {
namespace {

constexpr std::size_t maxPosition = std::numeric_limits<std::int16_t>::max();

} // namespace

FieldCursor::FieldCursor(std::u16string_view text, std::u16string_view delimiter)
    : text_(text), delimiter_(delimiter)
{
}

std::u16string FieldCursor::Field(std::int16_t num)
{
    if (text_.empty() || delimiter_.empty() || num < 1)
        return {};
    if (num < fieldNumber_) {
        fieldNumber_ = 1;
        start_ = 0;
    }
    while (fieldNumber_ < num) {
        if (!PassDelimiter())
            return {};
    }
    // Parse keeps 1-based positions in 16 bits: the end of the field (the delimiter's position,
    // or one past the text) must fit as well.
    const std::size_t end = text_.find(delimiter_, start_);
    const std::size_t stop = end == std::u16string_view::npos ? text_.size() : end;
    if (stop + 1 > maxPosition)
        throw Failure::overflow();
    return std::u16string(text_.substr(start_, stop - start_));
}

bool FieldCursor::PassDelimiter()
{
    const std::size_t hit = text_.find(delimiter_, start_);
    if (hit == std::u16string_view::npos)
        return false;
    // The 1-based start of the next field must fit in 16 bits.
    if (hit + delimiter_.size() + 1 > maxPosition)
        throw Failure::overflow();
    start_ = hit + delimiter_.size();
    ++fieldNumber_;
    return true;
}

} // namespace vandrel
