#include "app/source_page_table.h"

#include "sources/chart_source.h"

#include <array>

namespace vandrel {
namespace {

constexpr Twips List = {120, 240, 6495, 4215};
constexpr Twips WideButton = {120, 4560, 6495, 255};
constexpr Twips DropDown = {120, 4560, 3255, 315};
constexpr Twips ButtonBesideDropDown = {3360, 4560, 3255, 255};
constexpr PageControl NoChoice = {nullptr, {}, 0};

constexpr std::array<SourcePageRow, 5> Rows = {{
    {"K-Rock Radio",
     "92.3 FM",
     &KRockSource,
     {"lstKrock", List, 1},
     NoChoice,
     nullptr,
     0,
     {"cmdGet", WideButton, 2}},
    {"CDDB Albums",
     "Gracenote.com",
     &CddbAlbumsSource,
     {"lstCDDB", List, 3},
     {"cmbCDDB", DropDown, 4},
     "Genre",
     2,
     {"cmdCDDB", ButtonBesideDropDown, 5}},
    {"CDDB Songs",
     "Gracenote.com",
     &CddbSongsSource,
     {"lstCDDBSongs", List, 23},
     {"cmbCDDBSongs", DropDown, 22},
     "Genre",
     3,
     {"cmdCDDBSongs", ButtonBesideDropDown, 6}},
    {"Billboard Charts",
     "Billboard.com",
     &BillboardSource,
     {"lstCharts", List, 7},
     {"cmbCharts", DropDown, 8},
     "Chart",
     1,
     {"cmdCharts", ButtonBesideDropDown, 9}},
    {"Hot 97",
     "97.1 FM",
     &Hot97Source,
     {"lstHot97", List, 20},
     NoChoice,
     nullptr,
     0,
     {"cmdHot97", WideButton, 19}},
}};

} // namespace

std::span<const SourcePageRow> sourcePageRows()
{
    return Rows;
}

} // namespace vandrel
