#pragma once

#include <QString>

class QTreeWidget;

namespace vandrel {

// The selected rows of `list` as clipboard text: one line per row, in the list's order, each
// ending in "\n"; the cells separated by tabs, in the order the header shows the columns.
QString selectedRowsText(const QTreeWidget& list);

// Gives `list` "Copy" (Ctrl+C) and "Select All" (Ctrl+A), on the keyboard and in its
// context menu. Copy leaves the clipboard alone when no row is selected.
void addCopyActions(QTreeWidget* list);

} // namespace vandrel
