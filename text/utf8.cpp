#include "text/utf8.h"

namespace vandrel {

namespace {

constexpr char32_t Replacement = 0xFFFD;

// Decodes the sequence at `i`, advancing `i` past it.
char32_t next(std::string_view bytes, std::size_t& i)
{
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80)
        return lead;
    const int extra = lead >= 0xF0 && lead < 0xF5 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0)
        return Replacement;
    char32_t code = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= bytes.size() || (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80)
            return Replacement;
        code = (code << 6) | (static_cast<unsigned char>(bytes[i++]) & 0x3F);
    }
    constexpr char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < smallest[extra] || surrogate || code > 0x10FFFF ? Replacement : code;
}

} // namespace

std::u16string fromUtf8(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const char32_t code = next(bytes, i);
        if (code < 0x10000) {
            text.push_back(static_cast<char16_t>(code));
        } else {
            text.push_back(static_cast<char16_t>(0xD7C0 + (code >> 10)));
            text.push_back(static_cast<char16_t>(0xDC00 | (code & 0x3FF)));
        }
    }
    return text;
}

} // namespace vandrel
