#pragma once

#include "sources/chart_source.h"

#include <string>
#include <string_view>

// Pages in the shape each source reads, with nothing but `rows` numbered rows between the
// markers: as large as a test or a benchmark wants them.
namespace vandrel::sample {

// A source's page as the head, one row per number and the tail.
struct PlainShape
{
    std::u16string_view head;
    std::u16string (*row)(int number);
    std::u16string_view tail;
};

// `value` in decimal digits, for the rows.
std::u16string decimal(int value);

// std::out_of_range for a source without a sample site.
std::u16string plainPage(const ChartSource& source, int rows);

} // namespace vandrel::sample
