#pragma once

#include "net/page_origin.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace vandrel {

// The pages of a run, in their order, each as --page names it: a file's path, "-" or an address.
// A list may name many thousands, so the names are kept one after the other as the list has
// them, and each page is made when it is asked for.
class PageList
{
public:
    void append(const QString& argument);
    // The pages the lines of `list` name, as tar -T and xargs read a list: blank lines are
    // skipped and a CR before the line feed is dropped.
    void appendLines(QByteArrayView list);

    qsizetype size() const { return qsizetype(ends_.size()); }
    PageOrigin at(qsizetype index) const;
    // What the page at `index` is, without making it.
    PageOrigin::Kind kind(qsizetype index) const { return kinds_[std::size_t(index)]; }
    // Whether the page at `index` is an address, and how many of the pages are.
    bool downloads(qsizetype index) const { return PageOrigin{kind(index)}.downloads(); }
    qsizetype downloads() const { return downloads_; }

private:
    void add(QByteArrayView name);

    QByteArray names_;
    std::vector<qsizetype> ends_;
    std::vector<PageOrigin::Kind> kinds_;
    qsizetype downloads_ = 0;
};

// Adds the pages that the file `argument` names ("-" for standard input) to `pages`, as
// appendLines reads them; a relative path is taken from the current directory. A list may be as
// large as a page. Returns why the list cannot be read; empty when it was.
QString readPageList(const QString& argument, PageList& pages);

} // namespace vandrel
