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

constexpr std::array<Chart, 12> ChartTable = {{
    {"adult", "Adult Top 40", Style::Pop, 30},
    {"contemporary", "Adult Contemporary", Style::Pop, 25},
    {"country", "Hot Country Singles &amp; Tracks", Style::Country, 40},
    {"dance", "Hot Dance Music/Club Play", Style::Dance, 35},
    {"dance_radio", "Hot Dance Radio Airplay", Style::Dance, 25},
    {"digital", "Hot Digital Tracks", Style::Pop, 30},
    {"hot100", "The Billboard Hot 100", Style::Pop, 50},
    {"latintracks", "Hot Latin Tracks", Style::Latin, 30},
    {"mainstream", "Mainstream Rock Tracks", Style::Rock, 30},
    {"modern", "Modern Rock Tracks", Style::Rock, 30},
    {"rap", "Hot Rap Tracks", Style::Urban, 25},
    {"rnb", "Hot R&amp;B/Hip-Hop Singles &amp; Tracks", Style::Urban, 40},
}};

template <typename Item, std::size_t count>
const Item& find(const std::array<Item, count>& table, std::string_view key)
{
    const auto found = std::ranges::find(table, key, &Item::key);
    if (found == table.end())
        throw std::out_of_range("no sample page for " + std::string(key));
    return *found;
}

std::string narrow(std::u16string_view text)
{
    std::string narrow;
    for (const char16_t c : text)
        narrow += static_cast<char>(c);
    return narrow;
}

} // namespace

std::string key(std::u16string_view choice)
{
    return narrow(toLower(choice));
}

const Genre& findGenre(std::string_view key)
{
    return find(GenreTable, key);
}

const Chart& findChart(std::string_view key)
{
    return find(ChartTable, key);
}

std::string pathOf(const ChartSource& source, std::u16string_view choice)
{
    const std::u16string address = source.address(choice);
    const std::size_t host = address.find(u"://") + 3;
    return narrow(std::u16string_view(address).substr(address.find(u'/', host)));
}

} // namespace vandrel::sample
