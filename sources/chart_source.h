#pragma once

#include "sources/page_markers.h"
#include "sources/row_sink.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// One column of a source's list: its title and its width as designed, in twips.
struct Column
{
    std::u16string_view title;
    int width;
};

// Everything a front end needs to know about one source: what to call it, what to show,
// where its page lies and how its rows come out of that page. Each source's unit defines one,
// written with designated initialisers; a source without a drop-down list leaves out the fields
// of its choices.
struct ChartSource
{
    std::string_view name;       // on the command line, and its folder in tests/pages
    std::u16string_view host;    // the web server the source's pages lie on
    std::u16string_view caption; // the page's caption until a choice names itself
    std::span<const std::u16string_view> choices = {}; // the drop-down items; none without a list
    std::u16string_view choiceName = {};               // what one item is: "Genre", "Chart"
    std::span<const Column> columns;
    // The path and query to request on `host`; `choice` is the drop-down item's text (empty
    // without a list).
    std::u16string (*path)(std::u16string_view choice);
    // The page caption that names the choice; null for sources whose caption never changes.
    std::u16string (*choiceCaption)(std::u16string_view choice) = nullptr;
    // Cuts the list out of the page text and adds its rows. Throws Failure.
    void (*extract)(std::u16string_view page, RowSink& rows);
    // The markers the extraction looks for, in the order it looks for them.
    std::span<const PageMarker> markers;

    // The plain HTTP address to request for `choice`.
    std::u16string address(std::u16string_view choice) const;
    // The drop-down items, or the one empty choice of a source without a list: every page the
    // source can request.
    std::span<const std::u16string_view> choicesOrNone() const;
};

// Every source, in the order of the window's pages: the one list that names them all.
std::span<const ChartSource* const> allSources();

// The source called `name`; null when there is none.
const ChartSource* findSource(std::string_view name);

// The hosts of all sources, each once, in the order of the sources' pages.
std::vector<std::u16string_view> sourceHosts();

} // namespace vandrel
