#pragma once

#include "sources/row_sink.h"

#include <string>

namespace vandrel {

// The K-Rock station's top airplay and requested songs: This Week, Last Week, Artist, Song.
void ExtractKRock(std::u16string text, RowSink& rows);

} // namespace vandrel
