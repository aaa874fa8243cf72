#pragma once

#include <span>

namespace vandrel {

// A place on a page as the layout was drawn, in twips.
struct Twips
{
    int left;
    int top;
    int width;
    int height;
};

// One control of a source page: its objectName, its place and its turn in the keyboard's tab
// order (0 first, counted across the whole window).
struct PageControl
{
    const char* name; // null for a control the page does not have
    Twips place;
    int tabOrder;
};

// What the layout fixes for one source page: its tab and its controls. Row i is the page of
// allSources()[i], which fills its list and its drop-down items.
struct SourcePageRow
{
    const char* tabCaption;
    const char* tabToolTip;
    PageControl list;
    PageControl choice = {};  // the drop-down list of genres or charts, on pages that have one
    int choiceTurnAtLoad = 0; // the drop-down lists get their first item in this order
    PageControl get;
};

// The source pages in the order of their tabs; the About page follows them.
std::span<const SourcePageRow> sourcePageRows();

} // namespace vandrel
