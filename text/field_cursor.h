#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vandrel {

// The fields of one text between occurrences of a delimiter (exact match), as Parse gives them,
// overflow failures included. Reading them in rising order walks on from the field read last
// instead of rescanning the text from the start.
class FieldCursor
{
public:
    FieldCursor(std::u16string_view text, std::u16string_view delimiter);

    // Field `num`, counted from 1; empty when the text has fewer fields.
    std::u16string field(std::int16_t num);

private:
    std::u16string_view text_;
    std::u16string_view delimiter_;
    std::int16_t fieldNumber_ = 1; // the field that starts at start_
    std::size_t start_ = 0;
};

} // namespace vandrel
