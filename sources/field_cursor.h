#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vandrel {

// Reads the fields of one text in rising order without rescanning it from the start:
// Field(text, delimiter, num) equals Parse(text, delimiter, num), overflow failures included,
// but walks on from the field read last.
class FieldCursor
{
public:
    FieldCursor(std::u16string_view text, std::u16string_view delimiter);

    std::u16string Field(std::int16_t num);

private:
    bool PassDelimiter();

    std::u16string_view text_;
    std::u16string_view delimiter_;
    std::int16_t fieldNumber_ = 1; // the field that starts at start_
    std::size_t start_ = 0;
};

} // namespace vandrel
