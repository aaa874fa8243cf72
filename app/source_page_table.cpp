#include "app/source_page_table.h"

#include <array>

namespace vandrel {
namespace {

constexpr Twips List = {120, 240, 6495, 4215};
constexpr Twips WideButton = {120, 4560, 6495, 255};
constexpr Twips DropDown = {120, 4560, 3255, 315};
constexpr Twips ButtonBesideDropDown = {3360, 4560, 3255, 255};

// The layout numbers its controls' tab order from 0 to 23; a new page goes on from 24.
constexpr std::array Rows = {
    SourcePageRow{.tabCaption = "K-Rock Radio",
                  .tabToolTip = "92.3 FM",
                  .list = {"lstKrock", List, 1},
                  .get = {"cmdGet", WideButton, 2}},
    SourcePageRow{.tabCaption = "CDDB Albums",
                  .tabToolTip = "Gracenote.com",
                  .list = {"lstCDDB", List, 3},
                  .choice = {"cmbCDDB", DropDown, 4},
                  .choiceTurnAtLoad = 2,
                  .get = {"cmdCDDB", ButtonBesideDropDown, 5}},
    SourcePageRow{.tabCaption = "CDDB Songs",
                  .tabToolTip = "Gracenote.com",
                  .list = {"lstCDDBSongs", List, 23},
                  .choice = {"cmbCDDBSongs", DropDown, 22},
                  .choiceTurnAtLoad = 3,
                  .get = {"cmdCDDBSongs", ButtonBesideDropDown, 6}},
    SourcePageRow{.tabCaption = "Billboard Charts",
                  .tabToolTip = "Billboard.com",
                  .list = {"lstCharts", List, 7},
                  .choice = {"cmbCharts", DropDown, 8},
                  .choiceTurnAtLoad = 1,
                  .get = {"cmdCharts", ButtonBesideDropDown, 9}},
    SourcePageRow{.tabCaption = "Hot 97",
                  .tabToolTip = "97.1 FM",
                  .list = {"lstHot97", List, 20},
                  .get = {"cmdHot97", WideButton, 19}},
};

} // namespace

std::span<const SourcePageRow> sourcePageRows()
{
    return Rows;
}

} // namespace vandrel
