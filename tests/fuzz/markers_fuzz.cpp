#include "reference_markers.h"
#include "text/markers.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

// Byte 0 is Parse's field number, byte 1 picks the marker and delimiter; every further byte
// adds a piece of markup, letters up to a length just short of the 16-bit limit, a long run of
// letters, or a raw character made of the two bytes after it.
namespace vandrel {
namespace {

// Every 16-bit limit lies below this length; longer texts only slow the literal routines.
constexpr std::size_t longestText = 40000;
constexpr std::size_t limit = 32767;
constexpr std::uint8_t firstPad = 0xc0;
constexpr std::uint8_t firstRun = 0xe0;
constexpr std::uint8_t firstRaw = 0xf0;
constexpr std::size_t runStep = 2049;

constexpr std::u16string_view pieces[] = {u"<",   u">",  u"&nbsp;", u"&NBSP;", u"&nBsP;", u"&nb",
                                          u"sp;", u"a",  u"Z",      u"\r",     u"\n",     u"&",
                                          u",",   u"::", u" ",      u"x",      u"<b>",    u"</TD>"};

constexpr std::u16string_view markers[] = {u",", u"::", u"<",  u">",   u"&nbsp;",
                                           u"",  u"a",  u"aZ", u"<b>", u"<!-- Version -->"};

std::u16string decode(const std::uint8_t* data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i < size && text.size() < longestText; ++i) {
        const std::uint8_t byte = data[i];
        if (byte < firstPad) {
            text += pieces[byte % std::size(pieces)];
        } else if (byte < firstRun) {
            const std::size_t length = limit - (byte - firstPad);
            text.append(length > text.size() ? length - text.size() : 0, u'x');
        } else if (byte < firstRaw) {
            text.append((byte - firstRun + 1) * runStep, u'x');
        } else if (i + 2 < size) {
            text += static_cast<char16_t>(data[i + 1] << 8 | data[i + 2]);
            i += 2;
        }
    }
    return text;
}

void expectSame(bool same, const char* routine)
{
    if (!same) {
        std::fprintf(stderr, "%s differs from the literal algorithm\n", routine);
        std::abort();
    }
}

void checkMarkers(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return;
    const auto num = static_cast<std::int16_t>(static_cast<std::int8_t>(data[0]));
    const std::u16string marker(markers[data[1] % std::size(markers)]);
    const std::u16string text = decode(data + 2, size - 2);

    const auto fast = reference::runKillTags([](std::u16string& d) { return KillTags(d); }, text);
    const auto literal =
        reference::runKillTags([](std::u16string& d) { return reference::KillTags(d); }, text);
    expectSame(fast == literal, "KillTags");

    expectSame(reference::runParse([](auto&&... a) { return Parse(a...); }, text, marker, num) ==
                   reference::runParse([](auto&&... a) { return reference::Parse(a...); }, text,
                                       marker, num),
               "Parse");
    expectSame(FindAfter(text, marker) == reference::FindAfter(text, marker), "FindAfter");
    expectSame(FindBefore(text, marker) == reference::FindBefore(text, marker), "FindBefore");
}

} // namespace
} // namespace vandrel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vandrel::checkMarkers(data, size);
    return 0;
}
