#include "tools/sample-server/chart.h"

#include <algorithm>

namespace vandrel::sample {

std::vector<Entry> MakeChart(Dice& dice, int rows, Style style)
{
    std::vector<Entry> chart;
    chart.reserve(static_cast<std::size_t>(rows));
    for (int place = 1; place <= rows; ++place) {
        Entry entry;
        entry.thisWeek = place;
        if (!dice.Chance(15)) {
            entry.lastWeek = std::max(1, place + dice.Between(-4, 6));
            entry.weeks = dice.Between(2, 30);
        }
        const int best = entry.lastWeek == 0 ? place : std::min(place, entry.lastWeek);
        entry.peak = entry.weeks < 3 ? best : dice.Between(1, best);
        entry.artist = ArtistName(dice, style);
        entry.title = SongTitle(dice, style);
        entry.album = AlbumTitle(dice, style);
        entry.label = LabelName(dice);
        chart.push_back(std::move(entry));
    }
    return chart;
}

} // namespace vandrel::sample
