#pragma once

#include "net/page_origin.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

namespace vandrel {

// The pages a list names, or why it cannot be read.
struct PageList
{
    std::vector<PageOrigin> pages;
    QString error;
};

// Reads the file `argument` names ("-" for standard input) as tar -T and xargs read a list: one
// page per line, a file's path (relative to the current directory) or an address; blank lines
// are skipped and a CR before the line feed is dropped. A list may be as large as a page.
PageList readPageList(const QString& argument);

// The pages the lines of `list` name, as readPageList reads them.
std::vector<PageOrigin> pagesOfList(QByteArrayView list);

} // namespace vandrel
