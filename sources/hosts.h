#pragma once

#include <string>
#include <string_view>

// The program's own website and how an address is written. Each chart source holds its own host.
namespace vandrel::hosts {

// A reserved name until the program has a public website of its own.
inline constexpr std::u16string_view Website = u"vandrel.example.org";
// The pages the program asks its website for: the one opened in the browser, and the one that
// names the newest version.
inline constexpr std::u16string_view HomePage = u"/vb/vandrel/";
inline constexpr std::u16string_view VersionPage = u"/vb/vandrel/index.asp";

// The plain HTTP address of `path` on `host`.
inline std::u16string httpAddress(std::u16string_view host, std::u16string_view path)
{
    return std::u16string(u"http://").append(host).append(path);
}

} // namespace vandrel::hosts
