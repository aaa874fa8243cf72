#pragma once

#include <string>
#include <string_view>

// Every host the program talks to, in one place.
namespace vandrel::hosts {

// A reserved name until the program has a public website of its own.
inline constexpr std::u16string_view Website = u"vandrel.example.org";

inline constexpr std::u16string_view KRock = u"www.krock.com";
inline constexpr std::u16string_view Gracenote = u"www.gracenote.com";
inline constexpr std::u16string_view Billboard = u"www.billboard.com";
inline constexpr std::u16string_view Hot97 = u"www.hot97.com";

// The plain HTTP address of `path` on `host`.
inline std::u16string httpAddress(std::u16string_view host, std::u16string_view path)
{
    return std::u16string(u"http://").append(host).append(path);
}

} // namespace vandrel::hosts
