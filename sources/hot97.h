#pragma once

#include "sources/row_sink.h"

#include <string>

namespace vandrel {

// The Hot 97 station's playlist: Rank, Artist, Song.
void ExtractHot97(std::u16string text, RowSink& rows);

} // namespace vandrel
