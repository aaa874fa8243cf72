#include "cli/page_list.h"

#include <cassert>

// A list of pages as --pages-from reads it: each page is one line, never blank, without its line
// feed, and no more pages come out than the list has lines.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vandrel;
    const QByteArrayView list(data, qsizetype(size));
    const std::vector<PageOrigin> pages = pagesOfList(list);
    assert(qsizetype(pages.size()) <= list.count('\n') + 1);
    for (const PageOrigin& page : pages) {
        const QString name = page.name({});
        assert(!name.isEmpty() && !name.contains(u'\n'));
    }
    return 0;
}
