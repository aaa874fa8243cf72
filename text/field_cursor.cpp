#include "text/field_cursor.h"

#include "text/int16.h"

namespace vandrel {

FieldCursor::FieldCursor(std::u16string_view text, std::u16string_view delimiter)
    : text_(text), delimiter_(delimiter)
{
}

std::u16string FieldCursor::field(std::int16_t num)
{
    if (text_.empty() || delimiter_.empty() || num < 1)
        return {};
    if (num < fieldNumber_) {
        fieldNumber_ = 1;
        start_ = 0;
    }
    // Locals rather than the members in the loop, which keeps them in registers.
    const std::u16string_view text = text_;
    const std::u16string_view delimiter = delimiter_;
    std::size_t start = start_;
    for (; fieldNumber_ < num; ++fieldNumber_) {
        const std::size_t hit = text.find(delimiter, start);
        if (hit == std::u16string_view::npos)
            return {};
        // The next field's 1-based start has to fit in 16 bits.
        if (!fits16(hit + delimiter.size() + 1))
            throw Failure::overflow();
        start_ = start = hit + delimiter.size();
    }
    const std::size_t hit = text.find(delimiter, start);
    const std::size_t end = hit == std::u16string_view::npos ? text.size() : hit;
    // In 1-based positions the field ends before end + 1, which has to fit in 16 bits as well.
    if (!fits16(end + 1))
        throw Failure::overflow();
    return std::u16string(text.substr(start, end - start));
}

} // namespace vandrel
