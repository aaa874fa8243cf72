#pragma once

#include "cli/console_page.h"
#include "cli/fetch_options.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <vector>

namespace vandrel {

// A list as it is printed: where it came from, its caption as the window shows it, the column
// titles without their colons, and the rows.
struct ChartTable
{
    QString source;
    QString choice; // empty for sources without a drop-down list
    QString caption;
    QString page; // the address downloaded, the file's path, or "-" for standard input
    QStringList columns;
    Rows rows;
};

// How the lists of a run are printed, in UTF-8: TSV as the window copies it, CSV as RFC 4180
// quotes it, JSON, or JSON Lines. With many pages every row says which page it came from: TSV
// and CSV have a first column "Page", and JSON is an array of the pages' objects.
struct RowShape
{
    RowFormat format = RowFormat::Tsv;
    bool manyPages = false;

    // What comes before the first page: the header line of TSV and CSV, the "[" of an array.
    QByteArray start(const ChartTable& head) const;
    // One page's rows: its lines, its object, or its line of JSON Lines.
    QByteArray page(const ChartTable& table) const;
    // What stands before a page's rows (the comma between the objects of an array), and what
    // comes after the last page.
    QByteArrayView before(bool firstPage) const;
    QByteArrayView end(bool anyPage) const;
};

// One page's table as a run of that page alone prints it.
QByteArray formatRows(const ChartTable& table, RowFormat format);

} // namespace vandrel
