#pragma once

#include "sources/chart_source.h"

#include <string>

// Pages in the shape each source reads, with nothing but `rows` numbered rows between the
// markers: as large as a test or a benchmark wants them.
namespace vandrel::sample {

// std::out_of_range for a source without such a page.
std::u16string plainPage(const ChartSource& source, int rows);

} // namespace vandrel::sample
