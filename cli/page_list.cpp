#include "cli/page_list.h"

#include "net/saved_page.h"

#include <QFile>
#include <QLocale>

namespace vandrel {

void PageList::append(const QString& argument)
{
    add(QFile::encodeName(argument));
}

void PageList::appendLines(QByteArrayView list)
{
    names_.reserve(names_.size() + list.size());
    ends_.reserve(ends_.size() + std::size_t(list.count('\n') + 1));
    kinds_.reserve(ends_.capacity());
    for (QByteArrayView rest = list; !rest.isEmpty();) {
        const qsizetype end = rest.indexOf('\n');
        QByteArrayView line = end < 0 ? rest : rest.first(end);
        rest = end < 0 ? QByteArrayView() : rest.sliced(end + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty())
            add(line);
    }
}

void PageList::add(QByteArrayView name)
{
    names_ += name;
    ends_.push_back(names_.size());
    kinds_.push_back(PageOrigin::kindOf(QLatin1String(name)));
    downloads_ += downloads(size() - 1);
}

PageOrigin PageList::at(qsizetype index) const
{
    const qsizetype start = index == 0 ? 0 : ends_[std::size_t(index - 1)];
    return PageOrigin::fromArgument(
        QFile::decodeName(names_.sliced(start, ends_[std::size_t(index)] - start)));
}

QString readPageList(const QString& argument, PageList& pages)
{
    const PageOrigin list = argument == QLatin1String("-")
                                ? PageOrigin{PageOrigin::Kind::StandardInput}
                                : PageOrigin{PageOrigin::Kind::File, argument};
    constexpr qint64 cap = CurlTransfer::DefaultBodyCap;
    const SavedBytes read = readSavedBytes(list, FileKinds::AnyButDirectories, cap);
    if (!read.error.isEmpty())
        return read.error;
    if (read.bytes.size() > cap)
        return QStringLiteral("%1 is larger than a list may be (%2).")
            .arg(list.kind == PageOrigin::Kind::File ? u'"' + argument + u'"'
                                                     : QStringLiteral("Standard input"),
                 QLocale::c().formattedDataSize(cap, 0));
    pages.appendLines(read.bytes);
    return {};
}

} // namespace vandrel
