#include "cli/console_page.h"

#include "cli/status_printer.h"
#include "net/page_fetch.h"
#include "net/qt_text.h"

namespace vandrel {

ConsolePage::ConsolePage(const ChartSource& source, const QString& choice, const PageOrigin& origin,
                         PageRequest* request, StatusPrinter& status, BeforeReading beforeReading)
    : choice_(choice.toStdU16String()), caption_(source.caption), origin_(origin),
      request_(request), status_(status), beforeReading_(std::move(beforeReading)),
      rows_(source.columns.size())
{
}

void ConsolePage::setStatus(const std::u16string& text)
{
    status_.show(qt(text));
}

std::u16string_view ConsolePage::download(const std::u16string& address)
{
    FetchedPage fetched =
        fetchPage(origin_, qt(address), request_, FileKinds::AnyButDirectories, beforeReading_);
    pageName_ = fetched.name;
    if (!fetched.error.isEmpty())
        status_.show(fetched.error);
    text_ = std::move(fetched.text);
    return core(text_);
}

std::u16string ConsolePage::formatSeconds(double seconds) const
{
    return secondsText(seconds).toStdU16String();
}

void ConsolePage::addRow(std::u16string firstColumn)
{
    rows_.add();
    rows_.setLast(0, firstColumn);
}

// A list shows as many cells as it has columns; so does a printed row.
void ConsolePage::setSubItem(int index, std::u16string text)
{
    if (index > 0 && std::size_t(index) < rows_.columns())
        rows_.setLast(std::size_t(index), text);
}

} // namespace vandrel
