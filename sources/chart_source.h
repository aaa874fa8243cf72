#pragma once

#include "sources/row_sink.h"

#include <string>
#include <string_view>

namespace vandrel {

// What a "Get" button needs to know about its source.
struct ChartSource
{
    // The address to request; `choice` is the drop-down item's text (unused without a list).
    std::u16string (*address)(std::u16string_view choice);
    // The page caption that names the choice; null for sources whose caption never changes.
    std::u16string (*caption)(std::u16string_view choice);
    // Cuts the list out of the page text and adds its rows. Throws Failure.
    void (*extract)(std::u16string text, RowSink& rows);
};

extern const ChartSource KRockSource;      // "http://" + hosts::KRock + "/krockmusic/"
extern const ChartSource CddbAlbumsSource; // caption "Digital Top Ten Albums (" + genre + "):"
extern const ChartSource CddbSongsSource;  // caption "Digital Top Ten Songs (" + genre + "):"
extern const ChartSource BillboardSource;  // caption "Billboard Charts (" + chart + "):"
extern const ChartSource Hot97Source;      // "http://" + hosts::Hot97 + "/music/playlist.aspx"

} // namespace vandrel
