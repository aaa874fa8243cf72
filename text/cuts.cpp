#include "text/cuts.h"

#include "text/case_fold.h"
#include "text/failure.h"
#include "text/search.h"

namespace vandrel {

namespace {
constexpr auto NotFound = std::u16string_view::npos;
} // namespace

std::u16string_view afterFirst(std::u16string_view text, std::u16string_view marker)
{
    const std::size_t hit = findIgnoreCase(text, marker);
    return hit == NotFound ? std::u16string_view() : text.substr(hit + marker.size());
}

std::u16string_view cutFrom(std::u16string_view text, std::u16string_view marker)
{
    const std::size_t hit = findIgnoreCase(text, marker);
    if (hit == NotFound)
        throw Failure::invalidArgument();
    return text.substr(hit);
}

std::u16string_view cutBeforeFromSecond(std::u16string_view text, std::u16string_view marker)
{
    const std::size_t hit = findIgnoreCase(text, marker, 1);
    if (hit == NotFound)
        throw Failure::invalidArgument();
    return text.substr(0, hit);
}

std::vector<std::u16string_view> split(std::u16string_view text, std::u16string_view delimiter)
{
    std::vector<std::u16string_view> pieces;
    if (text.empty())
        return pieces;
    if (delimiter.empty())
        return {text};
    std::size_t start = 0;
    for (std::size_t hit = findExact(text, delimiter); hit != NotFound;
         hit = findExact(text, delimiter, start)) {
        pieces.push_back(text.substr(start, hit - start));
        start = hit + delimiter.size();
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::u16string_view trim(std::u16string_view text)
{
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == NotFound)
        return {};
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

} // namespace vandrel
