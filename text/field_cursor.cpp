#include "text/field_cursor.h"

#include "text/int16.h"
#include "text/search.h"

namespace vandrel {

FieldCursor::FieldCursor(std::u16string_view text, std::u16string_view delimiter)
    : text_(text), delimiter_(delimiter)
{
}

std::u16string_view FieldCursor::field(std::int16_t num)
{
    if (text_.empty() || delimiter_.empty() || num < 1)
        return {};
    if (num < fieldNumber_) {
        fieldNumber_ = 1;
        start_ = 0;
        end_.reset();
    }
    for (; fieldNumber_ < num; ++fieldNumber_) {
        const std::size_t hit = fieldEnd();
        if (hit == std::u16string_view::npos)
            return {};
        // The next field's 1-based start has to fit in 16 bits.
        if (!fits16(hit + delimiter_.size() + 1))
            throw Failure::overflow();
        start_ = hit + delimiter_.size();
        end_.reset();
    }
    const std::size_t hit = fieldEnd();
    const std::size_t end = hit == std::u16string_view::npos ? text_.size() : hit;
    // In 1-based positions the field ends before end + 1, which has to fit in 16 bits as well.
    if (!fits16(end + 1))
        throw Failure::overflow();
    return text_.substr(start_, end - start_);
}

std::size_t FieldCursor::fieldEnd()
{
    if (!end_)
        end_ = findExact(text_, delimiter_, start_);
    return *end_;
}

} // namespace vandrel
