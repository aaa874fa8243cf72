#include "cli/cut_page.h"
#include "cli/download_engine.h"
#include "cli/exit_status.h"
#include "cli/fetch_options.h"
#include "cli/page_list.h"
#include "cli/page_run.h"
#include "cli/row_formats.h"
#include "cli/standard_output.h"
#include "cli/status_printer.h"
#include "cli/terminal_text.h"
#include "net/page_fetch.h"
#include "net/version_check.h"
#include "sample/demo/demo_server.h"
#include "sources/chart_source.h"
#include "version.h"

#include <QCoreApplication>
#include <cstdio>
#include <optional>

namespace {

using namespace vandrel;

// Machine output stays exact in a pipe; on a terminal, text from the network cannot drive it.
QString versionsShown(const QString& text)
{
    return standardOutputIsTerminal() ? terminalText(text) : text;
}

// One page, from wherever it comes through the source's extraction: the rows printed, or the
// reason on standard error; then the marker the page lacks, if it lacks one.
int printPage(const FetchList& fetch, DownloadEngine* engine, StatusPrinter& status)
{
    const ChartTable head = tableHead(fetch);
    const CutPage page =
        cutPage(fetch, head, fetch.pages.size() > 0 ? fetch.pages.at(0) : PageOrigin{},
                engine ? &engine->request : nullptr, status);
    if (page.failed())
        status.tellLast();
    if (!page.missingMarker.empty())
        StatusPrinter::tell(missingMarkerNote(*fetch.source, page.name, page.missingMarker));
    if (page.failed())
        return ExitFailure;
    writeOutput(RowShape{fetch.format, false}.start(head) + page.output);
    return ExitSuccess;
}

// The pages --pages-from names join those of --page; a list that cannot be read ends the run.
std::optional<int> readPagesFrom(FetchList& fetch, bool demo)
{
    if (fetch.pagesFrom.isEmpty())
        return std::nullopt;
    if (const QString error = readPageList(fetch.pagesFrom, fetch.pages); !error.isEmpty()) {
        StatusPrinter::tell(error);
        return ExitFailure;
    }
    if (const QString refusal = demo ? demoRefusal(fetch.pages) : QString(); !refusal.isEmpty()) {
        std::fprintf(stderr, "vandrel-fetch: %s\n", refusal.toUtf8().constData());
        return ExitUsageError;
    }
    return std::nullopt;
}

int fetchList(FetchList fetch, bool verbose, bool demo)
{
    if (const std::optional<int> refused = readPagesFrom(fetch, demo))
        return *refused;
    // Only a download needs the engine and, with --demo, the sample server.
    const bool downloads = fetch.pages.downloads() > 0 || fetch.pages.size() == 0;
    if (demo && downloads && !demo::startSampleServer("vandrel-fetch", verbose))
        return ExitFailure;
    // Of many pages the status is kept, for a page that fails, and never shown as it changes.
    StatusPrinter status(!fetch.manyPages && StatusPrinter::loudByDefault(verbose));
    std::optional<DownloadEngine> engine;
    if (downloads)
        demo::routeToSampleServer(engine.emplace(status).transfer);
    DownloadEngine* const downloading = engine ? &*engine : nullptr;
    return fetch.manyPages ? printPages(fetch, verbose, downloading)
                           : printPage(fetch, downloading, status);
}

int checkVersion(bool verbose)
{
    StatusPrinter status(StatusPrinter::loudByDefault(verbose));
    DownloadEngine engine(status);
    demo::routeToSampleServer(engine.transfer);
    VersionCheck check(engine.request);
    QObject::connect(&check, &VersionCheck::checked, [](const QString& versions) {
        writeOutput((versionsShown(
                         QString(versions).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))) +
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
    switch (options.command) {
    case FetchOptions::Command::Fetch:
        return fetchList(options.list, options.verbose, options.demo);
    case FetchOptions::Command::CheckVersion:
        if (options.demo && !demo::startSampleServer("vandrel-fetch", options.verbose))
            return ExitFailure;
        return checkVersion(options.verbose);
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
