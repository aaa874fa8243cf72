#include "cli/page_list.h"

#include <cassert>

// A list of pages as --pages-from reads it: each page is one line, never blank, without its line
// feed, and no more pages come out than the list has lines.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vandrel;
    const QByteArrayView list(data, qsizetype(size));
    PageList pages;
    pages.appendLines(list);
    assert(pages.size() <= list.count('\n') + 1);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QString name = pages.at(i).name({});
        assert(!name.isEmpty() && !name.contains(u'\n'));
    }
    return 0;
}
