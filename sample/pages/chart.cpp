#include "sample/pages/chart.h"

#include <algorithm>

namespace vandrel::sample {

std::vector<Entry> makeChart(Dice& dice, int rows, Style style)
{
    std::vector<Entry> chart;
    chart.reserve(static_cast<std::size_t>(rows));
    for (int place = 1; place <= rows; ++place) {
        Entry entry;
        entry.thisWeek = place;
        if (!dice.chance(15)) {
            entry.lastWeek = std::max(1, place + dice.between(-4, 6));
            entry.weeks = dice.between(2, 30);
        }
        const int best = entry.lastWeek == 0 ? place : std::min(place, entry.lastWeek);
        entry.peak = entry.weeks < 3 ? best : dice.between(1, best);
        entry.artist = artistName(dice, style);
        entry.title = songTitle(dice, style);
        entry.album = albumTitle(dice, style);
        entry.label = labelName(dice);
        chart.push_back(std::move(entry));
    }
    return chart;
}

} // namespace vandrel::sample
