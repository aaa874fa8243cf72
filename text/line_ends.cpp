#include "text/line_ends.h"

#include "text/search.h"

#include <string_view>

namespace vandrel {

namespace {
constexpr auto NotFound = std::u16string_view::npos;
constexpr std::u16string_view CrLf = u"\r\n";
} // namespace

std::u16string crLfForBareLf(std::u16string text)
{
    const auto bareAt = [&text](std::size_t lf) { return lf == 0 || text[lf - 1] != u'\r'; };
    std::size_t lf = findChar(text, u'\n');
    while (lf != NotFound && !bareAt(lf))
        lf = findChar(text, u'\n', lf + 1);
    if (lf == NotFound)
        return text;
    std::u16string result;
    // Room for a carriage return every 16 characters saves growing the text as it is written.
    result.reserve(text.size() + text.size() / 16);
    std::size_t done = 0;
    for (; lf != NotFound; lf = findChar(text, u'\n', lf + 1)) {
        if (bareAt(lf)) {
            result.append(text, done, lf - done).push_back(u'\r');
            done = lf;
        }
    }
    result.append(text, done);
    return result;
}

std::u16string collapseCrLfRuns(std::u16string text)
{
    const std::u16string_view read = text;
    std::size_t write = 0;
    std::size_t done = 0;
    for (std::size_t run = findExact(read, CrLf); run != NotFound;
         run = findExact(read, CrLf, done)) {
        // What precedes the run, and the run's first pair; the pairs after it go.
        if (write != done)
            std::u16string::traits_type::move(&text[write], &text[done], run + CrLf.size() - done);
        write += run + CrLf.size() - done;
        done = run + CrLf.size();
        while (read.substr(done, CrLf.size()) == CrLf)
            done += CrLf.size();
    }
    if (write != done)
        std::u16string::traits_type::move(&text[write], &text[done], read.size() - done);
    text.resize(write + read.size() - done);
    return text;
}

} // namespace vandrel
