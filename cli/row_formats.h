#pragma once

#include "cli/console_page.h"
#include "cli/fetch_options.h"

#include <QByteArray>
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
    std::vector<Row> rows;
};

// The table in UTF-8: TSV as the window copies it, CSV as RFC 4180 quotes it, or JSON.
QByteArray formatRows(const ChartTable& table, RowFormat format);

} // namespace vandrel
