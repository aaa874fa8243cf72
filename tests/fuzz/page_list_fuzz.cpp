#include "cli/page_list.h"

#include <cassert>

// A list of pages as --pages-from reads it: each page is one line, never blank, without its line
// feed, and no more pages come out than the list has lines. A page's kind, read without making
// the page, agrees with the page.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vandrel;
    const QByteArrayView list(data, qsizetype(size));
    PageList pages;
    pages.appendLines(list);
    assert(pages.size() <= list.count('\n') + 1);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const PageOrigin page = pages.at(i);
        const QString name = page.name({});
        assert(!name.isEmpty() && !name.contains(u'\n'));
        assert(pages.kind(i) == page.kind);
    }
    return 0;
}
