#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vandrel {

// The fields of one text between occurrences of a delimiter (exact match), as Parse gives them,
// overflow failures included. Reading them in rising order walks on from the field read last
// instead of rescanning the text from the start, and finds the delimiter after each field once.
class FieldCursor
{
public:
    FieldCursor(std::u16string_view text, std::u16string_view delimiter);

    // Field `num`, counted from 1, as a view into the text; empty when the text has fewer fields.
    std::u16string_view field(std::int16_t num);

private:
    // Where the delimiter that ends the field at start_ lies; npos after the last field.
    std::size_t fieldEnd();

    std::u16string_view text_;
    std::u16string_view delimiter_;
    std::int16_t fieldNumber_ = 1; // the field that starts at start_
    std::size_t start_ = 0;
    std::optional<std::size_t> end_; // fieldEnd() once it is known
};

} // namespace vandrel
