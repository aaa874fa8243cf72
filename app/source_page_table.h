#pragma once

#include <span>

namespace vandrel {

struct ChartSource;

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

// One source page of the window: its tab, its controls and the source that fills its list.
struct SourcePageRow
{
    const char* tabCaption;
    const char* tabToolTip;
    const ChartSource* source;
    PageControl list;
    PageControl choice;           // the drop-down list of genres or charts
    const char* choiceSpokenName; // what a screen reader calls the drop-down list
    int choiceTurnAtLoad;         // the drop-down lists get their first item in this order
    PageControl get;
};

// The source pages in the order of their tabs; the About page follows them.
std::span<const SourcePageRow> sourcePageRows();

} // namespace vandrel
