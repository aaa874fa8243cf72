#pragma once

#include "sources/row_sink.h"

#include <string>

namespace vandrel {

// One Billboard chart: This Week, Last Week, Weeks On Chart, Artist, Song, Peak.
void ExtractBillboard(std::u16string text, RowSink& rows);

} // namespace vandrel
