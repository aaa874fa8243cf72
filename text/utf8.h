#pragma once

#include <string>
#include <string_view>

namespace vandrel {

// UTF-8 to UTF-16; a malformed sequence becomes U+FFFD.
std::u16string fromUtf8(std::string_view bytes);

} // namespace vandrel
