#include "cli/fetch_options.h"

#include "cli/exit_status.h"
#include "net/qt_text.h"
#include "sources/chart_source.h"

#include <QCommandLineParser>

namespace vandrel {

namespace {

QLatin1String nameOf(const ChartSource& source)
{
    return QLatin1String(source.name.data(), qsizetype(source.name.size()));
}

QString sourceNames()
{
    QStringList names;
    for (const ChartSource* source : allSources())
        names << nameOf(*source);
    return names.join(QStringLiteral(", "));
}

QString choiceNames(const ChartSource& source)
{
    QStringList names;
    for (const std::u16string_view choice : source.choices)
        names << qt(choice);
    return names.join(QStringLiteral(", "));
}

// One line per exit status, under a heading that help2man makes a section of the manual page.
QString exitStatuses()
{
    QStringList lines;
    for (const auto& [status, meaning] : ExitStatusMeanings)
        lines << QStringLiteral("  %1  %2").arg(int(status)).arg(QLatin1String(meaning));
    return lines.join(QLatin1Char('\n'));
}

QStringList formatNames()
{
    QStringList names;
    for (const RowFormatName& format : RowFormatNames)
        names << QLatin1String(format.name);
    return names;
}

// "tsv (the default), csv, json or jsonl".
QString formatChoices()
{
    QStringList others = formatNames();
    const QString first = others.takeFirst();
    const QString last = others.takeLast();
    return QStringLiteral("%1 (the default), %2 or %3")
        .arg(first, others.join(QStringLiteral(", ")), last);
}

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral(
            "Prints a music chart as rows: the list one page of the Vandrel window shows.\n"
            "\n"
            "SOURCE is one of: %1.\n"
            "CHOICE is a genre or chart of that source (any letter case; the first by default);\n"
            "--list shows them. `vandrel-fetch version` prints the running and the newest "
            "version.\n"
            "\n"
            "--page reads the list from a saved copy of SOURCE's page instead of downloading it,\n"
            "or from standard input for -, as a download without a charset in its header would\n"
            "be read. An http:// or https:// address is downloaded in place of the built-in one,\n"
            "from a mirror or a web archive. When a page lacks a text that the list is cut out\n"
            "at, one more line on standard error names it.\n"
            "\n"
            "Many pages are read in one run with --page given more than once, or with\n"
            "--pages-from LIST, a file (- for standard input) naming one page per line, read\n"
            "after the --page ones; blank lines are skipped. The rows say which page they came\n"
            "from: TSV and CSV begin each with a column \"Page\", JSON is an array of the pages'\n"
            "objects, and JSON Lines (jsonl) writes one page's object per line. A page that fails\n"
            "is reported on standard error and the run goes on; a last line there counts the\n"
            "pages read and failed and the rows written. Files are read on every core,\n"
            "addresses one at a time. On a terminal one progress line stands in for the status.\n"
            "Ctrl+C stops after the page being written: JSON Lines is whole then, while a JSON\n"
            "array stays open, so long runs are best written as JSON Lines.\n"
            "\n"
            "The status of the download goes to standard error when it is a terminal, or always\n"
            "with --verbose. The http_proxy and no_proxy environment variables are honoured,\n"
            "except with --demo.\n"
            "\n"
            "Exit status:\n%2")
            .arg(sourceNames(), exitStatuses()));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("format"), QStringLiteral("Output format: %1.").arg(formatChoices()),
         QStringLiteral("format"), QLatin1String(RowFormatNames[0].name)},
        {QStringLiteral("list"), QStringLiteral("List every source with its choices.")},
        {QStringLiteral("list-formats"), QStringLiteral("List the output formats.")},
        {QStringLiteral("verbose"), QStringLiteral("Print the status of the download always; of "
                                                   "many pages, one line per page.")},
        {QStringLiteral("demo"), QStringLiteral("Fetch invented sample charts from a server "
                                                "inside the program; needs no network.")},
        {QStringLiteral("page"),
         QStringLiteral("Read SOURCE's page from a file, from standard input (-), or from URL; "
                        "more than once for many pages."),
         QStringLiteral("FILE|-|URL")},
        {QStringLiteral("pages-from"),
         QStringLiteral("Read the pages that LIST names, one per line (- for standard input)."),
         QStringLiteral("LIST")},
    });
    parser.addPositionalArgument(QStringLiteral("source"),
                                 QStringLiteral("The chart source, or `version`."),
                                 QStringLiteral("SOURCE"));
    parser.addPositionalArgument(QStringLiteral("choice"),
                                 QStringLiteral("A genre or chart of the source."),
                                 QStringLiteral("[CHOICE]"));
}

// Reads SOURCE and CHOICE into `options`; false, with the usage error set, when they are wrong.
bool readList(const QStringList& positional, const QString& format, FetchOptions& options)
{
    const auto refuse = [&options](const QString& message) {
        options.usageError = message;
        return false;
    };
    options.list.source = findSource(positional[0].toStdString());
    const ChartSource* source = options.list.source;
    if (!source)
        return refuse(QStringLiteral("unknown source \"%1\"; the sources are: %2.")
                          .arg(positional[0], sourceNames()));
    const qsizetype formatIndex = formatNames().indexOf(format);
    if (formatIndex < 0)
        return refuse(QStringLiteral("unknown format \"%1\"; the formats are: %2.")
                          .arg(format, formatNames().join(QStringLiteral(", "))));
    options.list.format = RowFormatNames[formatIndex].format;
    if (source->choices.empty()) {
        if (positional.size() > 1)
            return refuse(QStringLiteral("%1 takes no choice.").arg(positional[0]));
        return true;
    }
    options.list.choice = qt(source->choices.front());
    if (positional.size() == 1)
        return true;
    for (const std::u16string_view choice : source->choices)
        if (positional[1].compare(qt(choice), Qt::CaseInsensitive) == 0) {
            options.list.choice = qt(choice);
            return true;
        }
    return refuse(QStringLiteral("unknown choice \"%1\" for %2; the choices are: %3.")
                      .arg(positional[1], positional[0], choiceNames(*source)));
}

// Reads --page and --pages-from into `list`; the option that needs a SOURCE, if one was given.
QString readPages(const QCommandLineParser& parser, FetchList& list)
{
    const QStringList pages = parser.values(QStringLiteral("page"));
    const bool fromList = parser.isSet(QStringLiteral("pages-from"));
    if (pages.isEmpty() && !fromList)
        return {};
    for (const QString& page : pages)
        list.pages.append(page);
    list.pagesFrom = parser.value(QStringLiteral("pages-from"));
    list.manyPages = fromList || pages.size() > 1;
    return pages.isEmpty() ? QStringLiteral("--pages-from") : QStringLiteral("--page");
}

// Why the pages cannot be read as given; empty when they can.
QString pagesRefusal(const QCommandLineParser& parser, const FetchOptions& options)
{
    const FetchList& list = options.list;
    if (parser.values(QStringLiteral("page")).count(QStringLiteral("-")) +
            (list.pagesFrom == u"-") >
        1)
        return QStringLiteral("standard input (-) can be read once only; --page and --pages-from "
                              "name it more than once.");
    return options.demo ? demoRefusal(list.pages) : QString();
}

} // namespace

FetchOptions readFetchOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    describe(parser);
    FetchOptions options;
    if (!parser.parse(arguments)) {
        options.usageError = parser.errorText();
        return options;
    }
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    options.demo = parser.isSet(QStringLiteral("demo"));
    const QStringList positional = parser.positionalArguments();
    const QString pageOption = readPages(parser, options.list);
    const QString pagesRefused = pagesRefusal(parser, options);
    const bool listSources = parser.isSet(QStringLiteral("list"));
    const bool listFormats = parser.isSet(QStringLiteral("list-formats"));
    if (!pageOption.isEmpty() &&
        (listSources || listFormats || positional.value(0) == QLatin1String("version"))) {
        options.usageError = pageOption + QStringLiteral(" goes with a SOURCE.");
    } else if (!pagesRefused.isEmpty()) {
        options.usageError = pagesRefused;
    } else if (listSources || listFormats) {
        if (!positional.isEmpty())
            options.usageError =
                (listSources ? QStringLiteral("--list") : QStringLiteral("--list-formats")) +
                QStringLiteral(" takes no source.");
        else
            options.command = listSources ? FetchOptions::Command::ListSources
                                          : FetchOptions::Command::ListFormats;
    } else if (positional == QStringList{QStringLiteral("version")}) {
        options.command = FetchOptions::Command::CheckVersion;
    } else if (positional.isEmpty() || positional.size() > 2) {
        options.usageError = QStringLiteral("name one source (%1).").arg(sourceNames());
    } else if (readList(positional, parser.value(QStringLiteral("format")), options)) {
        options.command = FetchOptions::Command::Fetch;
    }
    return options;
}

QString demoRefusal(const PageList& pages)
{
    if (pages.downloads() == 0)
        return {};
    return QStringLiteral("--demo sends every request to the sample server, which has none of "
                          "the addresses given with --page or --pages-from.");
}

QString formatsListing()
{
    return formatNames().join(QLatin1Char(' ')) + QLatin1Char('\n');
}

QString sourcesListing()
{
    QString listing;
    for (const ChartSource* source : allSources()) {
        listing += nameOf(*source);
        for (const std::u16string_view choice : source->choices)
            listing += QLatin1Char(' ') + qt(choice);
        listing += QLatin1Char('\n');
    }
    return listing;
}

} // namespace vandrel
