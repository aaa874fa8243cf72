#pragma once

#include "sources/page_markers.h"
#include "sources/row_sink.h"

#include <span>
#include <string>
#include <string_view>

namespace vandrel {

// One column of a source's list: its title and its width as designed, in twips.
struct Column
{
    std::u16string_view title;
    int width;
};

// Everything a front end needs to know about one source: what to call it, what to show,
// where its page lies and how its rows come out of that page.
struct ChartSource
{
    std::string_view name;       // on the command line: "krock", "cddb-albums", ...
    std::u16string_view caption; // the page's caption until a choice names itself
    std::span<const std::u16string_view> choices; // the drop-down items; none without a list
    std::span<const Column> columns;
    // The address to request; `choice` is the drop-down item's text (unused without a list).
    std::u16string (*address)(std::u16string_view choice);
    // The page caption that names the choice; null for sources whose caption never changes.
    std::u16string (*choiceCaption)(std::u16string_view choice);
    // Cuts the list out of the page text and adds its rows. Throws Failure.
    void (*extract)(std::u16string_view page, RowSink& rows);
    // The markers the extraction looks for, in the order it looks for them.
    std::span<const PageMarker> markers;
};

extern const ChartSource KRockSource;      // "http://" + hosts::KRock + "/krockmusic/"
extern const ChartSource CddbAlbumsSource; // caption "Digital Top Ten Albums (" + genre + "):"
extern const ChartSource CddbSongsSource;  // caption "Digital Top Ten Songs (" + genre + "):"
extern const ChartSource BillboardSource;  // caption "Billboard Charts (" + chart + "):"
extern const ChartSource Hot97Source;      // "http://" + hosts::Hot97 + "/music/playlist.aspx"

// The five sources in the order of the window's pages.
std::span<const ChartSource* const> allSources();

} // namespace vandrel
