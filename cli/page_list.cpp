#include "cli/page_list.h"

#include "net/saved_page.h"

#include <QFile>
#include <QLocale>

namespace vandrel {

PageList readPageList(const QString& argument)
{
    const PageOrigin list = argument == QLatin1String("-")
                                ? PageOrigin{PageOrigin::Kind::StandardInput}
                                : PageOrigin{PageOrigin::Kind::File, argument};
    constexpr qint64 cap = CurlTransfer::DefaultBodyCap;
    const SavedBytes read = readSavedBytes(list, FileKinds::AnyButDirectories, cap);
    if (!read.error.isEmpty())
        return {{}, read.error};
    if (read.bytes.size() > cap)
        return {{},
                QStringLiteral("%1 is larger than a list may be (%2).")
                    .arg(list.kind == PageOrigin::Kind::File ? u'"' + argument + u'"'
                                                             : QStringLiteral("Standard input"),
                         QLocale::c().formattedDataSize(cap, 0))};
    return {pagesOfList(read.bytes), {}};
}

std::vector<PageOrigin> pagesOfList(QByteArrayView list)
{
    std::vector<PageOrigin> pages;
    pages.reserve(std::size_t(list.count('\n') + 1));
    for (QByteArrayView rest = list; !rest.isEmpty();) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            pages.push_back(PageOrigin::fromArgument(QFile::decodeName(line.toByteArray())));
    }
    return pages;
}

} // namespace vandrel
