#include "cli/console_page.h"
#include "cli/exit_status.h"
#include "cli/fetch_options.h"
#include "cli/row_formats.h"
#include "cli/standard_output.h"
#include "cli/status_printer.h"
#include "cli/terminal_text.h"
#include "net/curl_transfer.h"
#include "net/page_fetch.h"
#include "net/page_request.h"
#include "net/qt_text.h"
#include "net/transfer_monitor.h"
#include "net/version_check.h"
#include "sample/demo/demo_server.h"
#include "sources/chart_source.h"
#include "version.h"

#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

namespace {

using namespace vandrel;

// Machine output stays exact in a pipe; on a terminal, text from the network cannot drive it.
QString shown(const QString& text)
{
    static const bool onTerminal = isatty(STDOUT_FILENO) == 1;
    return onTerminal ? terminalText(text) : text;
}

// The engine of one download: the transfer, its monitor reporting to the printer, the request.
struct Engine
{
    explicit Engine(StatusPrinter& status) : monitor(transfer), request(transfer, monitor)
    {
        demo::routeToSampleServer(transfer);
        QObject::connect(&monitor, &TransferMonitor::statusChanged,
                         [&status](const QString& text) { status.show(text); });
        // The window shows a refusal in a message box; here it is the status.
        QObject::connect(&request, &PageRequest::refused,
                         [&status](int number, const QString& description) {
                             status.show(PageRequest::refusalText(number, description));
                         });
    }

    CurlTransfer transfer;
    TransferMonitor monitor;
    PageRequest request;
};

ChartTable tableOf(const FetchList& fetch, const ConsolePage& page)
{
    ChartTable table{qt(std::u16string(fetch.source->name.begin(), fetch.source->name.end())),
                     fetch.choice,
                     // A doubled "&" is how a caption shows one.
                     qt(page.caption()).replace(QStringLiteral("&&"), QStringLiteral("&")),
                     page.pageName(),
                     {},
                     page.rows()};
    // JSON escapes every such character itself, losing nothing.
    if (fetch.format != RowFormat::Json)
        for (Row& row : table.rows)
            for (std::u16string& cell : row)
                cell = shown(qt(cell)).toStdU16String();
    for (const Column& column : fetch.source->columns) {
        QString title = qt(column.title);
        if (title.endsWith(QLatin1Char(':')))
            title.chop(1);
        table.columns << title;
    }
    return table;
}

// One page, from wherever it comes through the source's extraction: the rows printed, or the
// reason on standard error; then the marker the page lacks, if it lacks one.
int printList(const FetchList& fetch, Engine& engine, StatusPrinter& status)
{
    ConsolePage page(*fetch.source, fetch.choice, fetch.page, engine.request, status);
    const CycleResult result = runRefreshCycle(page, *fetch.source);
    if (result.outcome == CycleOutcome::NothingDownloaded && engine.request.lastRequestSucceeded())
        status.show(QStringLiteral("The server sent an empty page."));
    if (result.outcome != CycleOutcome::Listed)
        status.tellLast();
    if (!result.missingMarker.empty())
        status.tell(missingMarkerNote(*fetch.source, page.pageName(), result.missingMarker));
    if (result.outcome != CycleOutcome::Listed)
        return ExitFailure;
    writeOutput(formatRows(tableOf(fetch, page), fetch.format));
    return ExitSuccess;
}

int fetchList(const FetchList& fetch, StatusPrinter& status)
{
    Engine engine(status);
    return printList(fetch, engine, status);
}

int checkVersion(StatusPrinter& status)
{
    Engine engine(status);
    VersionCheck check(engine.request);
    QObject::connect(&check, &VersionCheck::checked, [](const QString& versions) {
        writeOutput(
            (shown(QString(versions).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))) +
             QLatin1Char('\n'))
                .toUtf8());
    });
    const auto show = [&status](const QString& text) { status.show(text); };
    QObject::connect(&check, &VersionCheck::started, show);
    QObject::connect(&check, &VersionCheck::failed, show);
    if (check.run())
        return ExitSuccess;
    status.tellLast();
    return ExitFailure;
}

} // namespace

int main(int argc, char** argv)
{
    guardStandardOutput();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vandrel-fetch"));
    QCoreApplication::setApplicationVersion(QLatin1String(version::Text));

    const FetchOptions options = readFetchOptions(QCoreApplication::arguments());
    StatusPrinter status(options.verbose);
    // Only a download needs the sample server; a usage error, --list or a file starts none.
    const bool downloads =
        (options.command == FetchOptions::Command::Fetch && options.list.page.downloads()) ||
        options.command == FetchOptions::Command::CheckVersion;
    if (options.demo && downloads && !demo::startSampleServer("vandrel-fetch", options.verbose))
        return ExitFailure;
    switch (options.command) {
    case FetchOptions::Command::Fetch:
        return fetchList(options.list, status);
    case FetchOptions::Command::CheckVersion:
        return checkVersion(status);
    case FetchOptions::Command::ListSources:
        writeOutput(sourcesListing().toUtf8());
        return ExitSuccess;
    case FetchOptions::Command::ListFormats:
        writeOutput(formatsListing().toUtf8());
        return ExitSuccess;
    case FetchOptions::Command::UsageError:
        break;
    }
    std::fprintf(stderr, "vandrel-fetch: %s\nTry 'vandrel-fetch --help'.\n",
                 options.usageError.toUtf8().constData());
    return ExitUsageError;
}
