#include "cli/ConsolePage.h"
#include "cli/FetchOptions.h"
#include "cli/RowFormats.h"
#include "cli/StatusPrinter.h"
#include "net/CurlTransfer.h"
#include "net/PageRequest.h"
#include "net/QtText.h"
#include "net/TransferMonitor.h"
#include "net/VersionCheck.h"
#include "sources/chart_source.h"
#include "tools/sample-server/demo_server.h"
#include "version.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

using namespace vandrel;

enum ExitStatus { Success = 0, Failure = 1, UsageFailure = 2 };

void writeOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// The engine of one download: the transfer, its monitor reporting to the printer, the request.
struct Engine
{
    explicit Engine(StatusPrinter& status) : monitor(transfer), request(transfer, monitor)
    {
        demo::routeToSampleServer(transfer);
        QObject::connect(&monitor, &TransferMonitor::StatusChanged,
                         [&status](const QString& text) { status.show(text); });
        // The window shows a refusal in a message box; here it is the status.
        QObject::connect(
            &request, &PageRequest::Refused, [&status](int number, const QString& description) {
                status.show(QStringLiteral("Error: %1\r\n%2").arg(number).arg(description));
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
                     {},
                     page.rows()};
    for (const Column& column : fetch.source->columns) {
        QString title = qt(column.title);
        if (title.endsWith(QLatin1Char(':')))
            title.chop(1);
        table.columns << title;
    }
    return table;
}

int fetchList(const FetchList& fetch, StatusPrinter& status)
{
    Engine engine(status);
    ConsolePage page(*fetch.source, fetch.choice, engine.request, status);
    const CycleOutcome outcome = RunRefreshCycle(page, *fetch.source);
    if (outcome == CycleOutcome::NothingDownloaded && engine.request.lastRequestSucceeded())
        status.show(QStringLiteral("The server sent an empty page."));
    if (outcome != CycleOutcome::Listed) {
        status.tellLast();
        return Failure;
    }
    writeOut(FormatRows(tableOf(fetch, page), fetch.format));
    return Success;
}

int checkVersion(StatusPrinter& status)
{
    Engine engine(status);
    VersionCheck check(engine.request);
    QObject::connect(&check, &VersionCheck::Checked, [](const QString& versions) {
        writeOut((QString(versions).replace(QStringLiteral("\r\n"), QStringLiteral("\n")) +
                  QLatin1Char('\n'))
                     .toUtf8());
    });
    QObject::connect(&check, &VersionCheck::Failed,
                     [&status](const QString& reason) { status.show(reason); });
    status.show(QStringLiteral("Downloading Info..."));
    if (check.Run())
        return Success;
    status.tellLast();
    return Failure;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vandrel-fetch"));
    QCoreApplication::setApplicationVersion(QLatin1String(version::Text));

    const FetchOptions options = ReadFetchOptions(QCoreApplication::arguments());
    StatusPrinter status(options.verbose);
    if (options.demo && !demo::startSampleServer("vandrel-fetch", options.verbose))
        return Failure;
    switch (options.command) {
    case FetchOptions::Command::Fetch:
        return fetchList(options.list, status);
    case FetchOptions::Command::CheckVersion:
        return checkVersion(status);
    case FetchOptions::Command::ListSources:
        writeOut(SourcesListing().toUtf8());
        return Success;
    case FetchOptions::Command::UsageError:
        break;
    }
    std::fprintf(stderr, "vandrel-fetch: %s\nTry 'vandrel-fetch --help'.\n",
                 options.usageError.toUtf8().constData());
    return UsageFailure;
}
