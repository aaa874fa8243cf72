#include "sample/pages/catalog.h"

#include "text/case_fold.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vandrel::sample {
namespace {

constexpr std::array<Genre, 19> GenreTable = {{
    {"alt", "Alternative", Style::Rock, 10, 10},
    {"blues", "Blues", Style::Jazz, 10, 0},
    {"catalog", "Catalog", Style::Pop, 10, 10},
    {"celtic", "Celtic", Style::Roots, 10, 0},
    {"country", "Country", Style::Country, 14, 10},
    {"folk", "Folk", Style::Roots, 10, 0},
    {"gospel", "Gospel", Style::Gospel, 10, 10},
    {"hiphop", "Hip-Hop", Style::Urban, 12, 0},
    {"jazz", "Jazz", Style::Jazz, 10, 10},
    {"latin", "Latin", Style::Latin, 10, 10},
    {"metal", "Metal", Style::Rock, 10, 0},
    {"pop", "Pop", Style::Pop, 12, 12},
    {"reggae", "Reggae", Style::Roots, 10, 0},
    {"rnb", "R&amp;B", Style::Urban, 10, 0},
    {"rock", "Rock", Style::Rock, 15, 12},
    {"soundtrack", "Soundtrack", Style::Score, 10, 10},
    {"techno", "Techno", Style::Dance, 10, 10},
    {"urban", "Urban", Style::Urban, 0, 15},
    {"world", "World", Style::Roots, 10, 10},
}};

} // namespace

std::string narrow(std::u16string_view text)
{
    std::string narrow;
    for (const char16_t c : text)
        narrow += static_cast<char>(c);
    return narrow;
}

std::string key(std::u16string_view choice)
{
    return narrow(toLower(choice));
}

const Genre& findGenre(std::string_view key)
{
    const auto found = std::ranges::find(GenreTable, key, &Genre::key);
    if (found == GenreTable.end())
        throw std::out_of_range("no sample page for " + std::string(key));
    return *found;
}

std::string choicePath(const ChartSource& source, std::u16string_view choice)
{
    return narrow(source.path(choice));
}

} // namespace vandrel::sample
