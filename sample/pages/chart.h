#pragma once

#include "sample/pages/dice.h"
#include "sample/pages/names.h"

#include <string>
#include <vector>

namespace vandrel::sample {

// One place of an invented chart.
struct Entry
{
    int thisWeek = 0;
    int lastWeek = 0; // 0 for a new entry
    int weeks = 1;
    int peak = 0;
    std::string artist;
    std::string title;
    std::string album;
    std::string label;
};

std::vector<Entry> makeChart(Dice& dice, int rows, Style style);

} // namespace vandrel::sample
