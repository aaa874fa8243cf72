#include "cli/cut_page.h"

#include "cli/console_page.h"
#include "cli/status_printer.h"
#include "cli/terminal_text.h"
#include "net/page_request.h"
#include "net/qt_text.h"
#include "sources/chart_source.h"

namespace vandrel {

namespace {

// Machine output stays exact in a pipe; on a terminal, text from outside cannot drive it.
void showOnTerminal(ChartTable& table)
{
    if (!standardOutputIsTerminal())
        return;
    table.page = terminalText(table.page);
    for (std::size_t row = 0; row < table.rows.size(); ++row)
        for (std::size_t column = 0; column < table.rows.columns(); ++column)
            table.rows.set(row, column,
                           terminalText(qt(table.rows.cell(row, column))).toStdU16String());
}

} // namespace

ChartTable tableHead(const FetchList& fetch)
{
    ChartTable head;
    head.source =
        QString::fromLatin1(fetch.source->name.data(), qsizetype(fetch.source->name.size()));
    head.choice = fetch.choice;
    for (const Column& column : fetch.source->columns) {
        QString title = qt(column.title);
        if (title.endsWith(QLatin1Char(':')))
            title.chop(1);
        head.columns << title;
    }
    return head;
}

CutPage cutPage(const FetchList& fetch, const ChartTable& head, const PageOrigin& origin,
                PageRequest* request, StatusPrinter& status, const BeforeReading& beforeReading)
{
    ConsolePage page(*fetch.source, fetch.choice, origin, request, status, beforeReading);
    const CycleResult result = runRefreshCycle(page, *fetch.source);
    if (result.outcome == CycleOutcome::NothingDownloaded && origin.downloads() &&
        request->lastRequestSucceeded())
        status.show(QStringLiteral("The server sent an empty page."));
    CutPage cut{result.outcome,       page.pageName(), status.last(),
                result.missingMarker, page.rowCount(), {}};
    if (cut.failed())
        return cut;
    ChartTable table = head;
    // A doubled "&" is how a caption shows one.
    table.caption = qt(page.caption()).replace(QStringLiteral("&&"), QStringLiteral("&"));
    table.page = cut.name;
    table.rows = page.takeRows();
    // JSON escapes every such character itself, losing nothing.
    if (fetch.format == RowFormat::Tsv || fetch.format == RowFormat::Csv)
        showOnTerminal(table);
    cut.output = RowShape{fetch.format, fetch.manyPages}.page(table);
    return cut;
}

} // namespace vandrel
