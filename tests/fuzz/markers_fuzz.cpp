#include "reference_toolkit.h"

#include <cstdio>
#include <cstdlib>

// Every routine of the toolkit against its literal version. Byte 0 is the field number, byte 1
// the length of the marker, which the text then starts with; every further byte is one
// character, except that 0xff and the byte after it add letters up to that many characters
// short of the 16-bit limit, which no input of the fuzzer's usual size reaches by itself.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    std::u16string text;
    for (std::size_t i = 2; i < size; ++i) {
        if (data[i] != 0xff || i + 1 == size)
            text += static_cast<char16_t>(data[i]);
        else
            text.resize(std::max<std::size_t>(text.size(), 32767 - data[++i]), u'x');
    }
    const auto num = static_cast<std::int16_t>(static_cast<std::int8_t>(data[0]));
    const std::u16string marker = text.substr(0, data[1] % 8);
    const std::string differs = vandrel::reference::firstDifference(text, marker, num);
    if (!differs.empty()) {
        std::fprintf(stderr, "%s differs from its literal version\n", differs.c_str());
        std::abort();
    }
    return 0;
}
