// vandrel-fetch as a user runs it, on the sample server inside it (--demo) or against a hostile
// server as its proxy.
#include "cli/row_formats.h"
#include "cli/terminal_text.h"
#include "net/qt_text.h"
#include "sample/pages/sample_pages.h"
#include "support/golden_rows.h"
#include "support/loopback_server.h"
#include "support/window_testing.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vandrel {
namespace {

using test::LoopbackServer;

// The exit code, standard output and standard error of one run.
using Outcome = std::tuple<int, QString, QString>;

// Each character at an edge of a class that acts on a terminal (C0 but the line feed, DEL and
// C1, the bidirectional controls), and ESC, with its escape; then each one just beside such an
// edge, the backslash and a letter beyond 16 bits, shown as they are (no escape).
const std::pair<char32_t, const char*> Characters[] = {
    {0x0000, R"(\x00)"},   {0x001B, R"(\x1b)"},   {0x001F, R"(\x1f)"},   {0x007F, R"(\x7f)"},
    {0x0080, R"(\x80)"},   {0x009F, R"(\x9f)"},   {0x061C, R"(\u061c)"}, {0x200E, R"(\u200e)"},
    {0x200F, R"(\u200f)"}, {0x202A, R"(\u202a)"}, {0x202B, R"(\u202b)"}, {0x202C, R"(\u202c)"},
    {0x202D, R"(\u202d)"}, {0x202E, R"(\u202e)"}, {0x2066, R"(\u2066)"}, {0x2067, R"(\u2067)"},
    {0x2068, R"(\u2068)"}, {0x2069, R"(\u2069)"}, {0x0020, nullptr},     {0x005C, nullptr},
    {0x007E, nullptr},     {0x00A0, nullptr},     {0x200D, nullptr},     {0x2010, nullptr},
    {0x2029, nullptr},     {0x202F, nullptr},     {0x2065, nullptr},     {0x206A, nullptr},
    {0x1D400, nullptr},
};

// One text of the characters from `first` to `last`, as a server sends it and as a terminal is
// to be shown it.
std::pair<QString, QString> hostile(char32_t first, char32_t last)
{
    QString sent, shown;
    for (const auto& [c, escape] : Characters)
        if (c >= first && c <= last) {
            sent += QString::fromUcs4(&c, 1);
            shown += escape ? QString(escape) : QString::fromUcs4(&c, 1);
        }
    return {sent, shown};
}

const auto [Hostile, HostileShown] = hostile(0, 0x10FFFF);
// A response head holds no NUL and is read as Latin-1: a reason phrase has the rest of these.
const auto [Reason, ReasonShown] = hostile(1, 0xFF);

// Fails for each character in `printed` that acts on a terminal.
void expectInert(const QByteArray& printed)
{
    for (const auto& [c, escape] : Characters)
        EXPECT_TRUE(!escape || !printed.contains(QString::fromUcs4(&c, 1).toUtf8()))
            << "U+" << std::hex << unsigned(c);
}

class Fetch : public ::testing::Test
{
protected:
    ~Fetch() override { test::useNoProxy(); }

    // `inChild` runs in the new process before the program starts, to change where it writes.
    Outcome fetch(const QStringList& arguments, const std::function<void()>& inChild = {})
    {
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.setChildProcessModifier(inChild);
        process.start(QStringLiteral(VANDREL_FETCH), arguments);
        EXPECT_TRUE(finished.wait(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // A run with standard output or error (`descriptor`) on a pseudo-terminal, the other in a
    // pipe: everything the terminal received, and what the pipe did.
    std::pair<QByteArray, QByteArray> onTerminal(const QStringList& arguments, int descriptor)
    {
        int terminal = -1, program = -1;
        EXPECT_EQ(openpty(&terminal, &program, nullptr, nullptr, nullptr), 0);
        const auto [exitCode, out, err] =
            fetch(arguments, [program, descriptor] { dup2(program, descriptor); });
        close(program);
        fcntl(terminal, F_SETFL, O_NONBLOCK);
        QByteArray shown;
        char buffer[4096];
        for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, n);
        close(terminal);
        return {shown, (descriptor == STDOUT_FILENO ? err : out).toUtf8()};
    }

    // On the sample server inside the program, which no proxy setting of the environment can
    // bypass or replace: were one of these read, the requests would go to a closed port, or
    // (no_proxy) straight to the real sites.
    Outcome demo(const QStringList& arguments, const std::function<void()>& inChild = {})
    {
        for (const char* name : {"http_proxy", "https_proxy", "ALL_PROXY"})
            test::useProxy(LoopbackServer::closedPort(), name);
        qputenv("no_proxy", "*");
        return fetch(QStringList{"--demo"} + arguments, inChild);
    }

    // A file of the test's own holding `bytes`.
    QString saved(const QString& name, const QByteArray& bytes)
    {
        QFile file(files.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    }

    QTemporaryDir files;
};

// A page as a web archive serves its copy: a banner of the archive's own right after <body>, and
// every link and source address turned into one of the archive's.
QByteArray archived(QString page)
{
    const auto anyCase = QRegularExpression::CaseInsensitiveOption;
    page.replace(QRegularExpression(R"(\b((?:href|src)=")([^"]*"))", anyCase),
                 R"(\1http://archive.example/web/20010324000000/\2)");
    page.insert(
        QRegularExpression("<body[^>]*>", anyCase).match(page).capturedEnd(),
        R"(<div><table><tr><td><a href="/">Archive</a></td><td>2001</td></tr></table></div>)");
    return page.toUtf8();
}

// Every sample page, as saved and as an archive serves it, read from a file (under --demo, which
// starts no server for it), from standard input and from an address of a server of the test's
// own: its golden rows, or the marker the page lacks. One source at a time, each in its own time.
class SavedPages : public Fetch, public ::testing::WithParamInterface<const ChartSource*>
{
};

TEST_P(SavedPages, ReadFromAFileStandardInputOrAnAddressGiveTheGoldenRows)
{
    test::LoopbackServer archive;
    const QString address = "HTTP" + archive.url("/web/20010324000000/chart.html").mid(4);
    const ChartSource& source = *GetParam();
    for (const std::u16string_view choice : source.choicesOrNone()) {
        const auto served = test::servedPage(source, choice);
        if (!served)
            continue;
        const test::GoldenList golden = test::goldenList(source, choice);
        QJsonArray rows;
        for (const QStringList& row : golden.rows)
            rows << QJsonArray::fromStringList(row);
        QStringList list{QString::fromStdString(std::string(source.name))};
        if (!choice.empty())
            list << qt(choice);
        const QString saved = QString::fromStdString(served->body);
        for (const QByteArray& page : {saved.toUtf8(), archived(saved)}) {
            const QByteArray path = this->saved("page.html", page).toLocal8Bit();
            archive.setReply(test::LoopbackServer::ok(page));
            const auto standardInput = [&path] { dup2(open(path, O_RDONLY), STDIN_FILENO); };
            const std::tuple<QString, QStringList, std::function<void()>> origins[] = {
                {path, {"--demo", "--verbose"}, {}}, {"-", {}, standardInput}, {address, {}, {}}};
            for (const auto& [from, more, inChild] : origins) {
                const QStringList arguments =
                    list + QStringList{"--format", "json", "--page", from} + more;
                const auto [exitCode, out, err] = fetch(arguments, inChild);
                SCOPED_TRACE(arguments.join(u' ').toStdString() + err.toStdString());
                const QJsonObject json = QJsonDocument::fromJson(out.toUtf8()).object();
                EXPECT_EQ(exitCode, golden.error.isEmpty() ? 0 : 1);
                EXPECT_EQ(json["rows"].toArray(), rows);
                EXPECT_EQ(json["page"].toString(), golden.error.isEmpty() ? from : "");
                EXPECT_EQ(err.contains(from + ": " + golden.marker + ".\n"),
                          !golden.marker.isEmpty());
                EXPECT_FALSE(err.contains("sample charts"));
            }
        }
    }
}

const auto SourceName = [](const auto& info) {
    return QString::fromLatin1(info.param->name).remove(u'-').toStdString();
};
INSTANTIATE_TEST_SUITE_P(EverySource, SavedPages, ::testing::ValuesIn(allSources()), SourceName);

// The pages and rows of JSON objects, whatever else they hold.
QJsonArray pagesAndRows(const QJsonArray& objects)
{
    QJsonArray kept;
    for (const auto& value : objects) {
        const QJsonObject object = value.toObject();
        kept << QJsonObject{{"page", object["page"]}, {"rows", object["rows"]}};
    }
    return kept;
}

// Every golden page of a source in one run, in each format: the first given with --page, the
// others in a list of paths relative to the pages' folder, with CR LF and blank lines (read from
// standard input for JSON Lines), among files that are no page (missing, a directory, /dev/zero).
// The rows are the golden rows of each page in the order given, led by the page, under one
// header; each page that fails or gives no rows is told on standard error with its reason and
// the marker it lacks, and the run goes on; the last line counts the pages.
class ManyPages : public SavedPages
{
};

TEST_P(ManyPages, GiveTheGoldenRowsOfEachPageInTheirOrder)
{
    const ChartSource& source = *GetParam();
    const QString name = QString::fromLatin1(source.name.data(), qsizetype(source.name.size()));
    const QDir folder(VANDREL_TEST_PAGES "/" + name);
    QStringList pages = folder.entryList({"*.html"}, QDir::Files, QDir::Name);
    const QString noPages[] = {files.filePath("none"), files.path(), "/dev/zero"};
    const QString said[] = {"Cannot read \"%1\": No such file or directory.",
                            "\"%1\" is a directory.",
                            "\"%1\" is larger than a page may be (16 MiB)."};
    for (int i = 0; i < 3; ++i)
        pages.insert(2 * i + 1, noPages[i]);
    QStringList titles{"Page"};
    for (const Column& column : source.columns)
        titles << qt(column.title).chopped(1);
    QString tsv = titles.join(u'\t') + u'\n';
    QStringList told; // on standard error, in this order, each in a line of its own
    QJsonArray objects;
    QString firstListed;
    int failed = 0, rows = 0;
    for (const QString& page : pages) {
        const auto* unread = std::find(std::begin(noPages), std::end(noPages), page);
        const test::GoldenList golden = test::goldenCase(folder.filePath(page).chopped(5));
        if (unread != std::end(noPages))
            told << page + ": " + said[unread - noPages].arg(page) + "\n";
        else if (!golden.error.isEmpty())
            told << page + ": An error occured while processing the list: " + golden.error +
                        ". Make sure you have the latest version of this program.\n";
        else if (golden.rows.isEmpty())
            told << page + ": Done. (";
        if (!golden.marker.isEmpty())
            told << name + " page " + page + ": " + golden.marker + ".\n";
        if (unread != std::end(noPages) || !golden.error.isEmpty()) {
            ++failed;
            continue;
        }
        QJsonArray cells;
        for (QStringList row : golden.rows) {
            cells << QJsonArray::fromStringList(row);
            tsv += page + u'\t' +
                   row.replaceInStrings(QRegularExpression("[\t\r\n]"), " ").join(u'\t') + u'\n';
        }
        objects << QJsonObject{{"page", page}, {"rows", cells}};
        rows += int(golden.rows.size());
        if (firstListed.isEmpty() && !golden.rows.isEmpty())
            firstListed = page;
    }
    QByteArray list;
    for (qsizetype i = 1; i < pages.size(); ++i)
        list += QFile::encodeName(pages[i]) + (i % 2 ? "\r\n" : "\n\n \t\r\n");
    const QByteArray listPath = saved("list", list).toLocal8Bit();
    const QByteArray inFolder = QFile::encodeName(folder.path());
    for (const QString& format : QStringList{"tsv", "csv", "json", "jsonl"}) {
        SCOPED_TRACE(format.toStdString());
        const bool lines = format == "jsonl";
        const auto inChild = [&] {
            if (chdir(inFolder) == 0 && lines)
                dup2(open(listPath, O_RDONLY), STDIN_FILENO);
        };
        const auto [exitCode, out, err] = fetch(
            {name, "--format", format, "--page", pages[0], "--pages-from", lines ? "-" : listPath},
            inChild);
        EXPECT_EQ(exitCode, failed > 0 ? 1 : 0);
        qsizetype at = 0;
        for (const QString& line : told)
            if ((at = err.indexOf(line, at)) < 0)
                ADD_FAILURE() << "not told in its place: " << line.toStdString();
        EXPECT_TRUE(err.endsWith(QString("Pages read: %1, failed: %2. Rows written: %3.\n")
                                     .arg(pages.size())
                                     .arg(failed)
                                     .arg(rows)))
            << err.toStdString();
        EXPECT_EQ(err.count(u'\n'), told.size() + 1);
        QJsonArray read = QJsonDocument::fromJson(out.toUtf8()).array();
        if (format == "tsv") {
            EXPECT_EQ(out, tsv);
        } else if (format == "csv")
            EXPECT_TRUE(out.startsWith(titles.join(u',') + "\r\n" + firstListed + u',') &&
                        out.count(titles.join(u',')) == 1);
        else if (lines)
            for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts))
                read << QJsonDocument::fromJson(line.toUtf8()).object();
        if (format.startsWith("json")) {
            EXPECT_EQ(pagesAndRows(read), objects);
        }
        // A page alone is the line it is among many.
        if (lines) {
            const QString first = objects.first().toObject()["page"].toString();
            EXPECT_EQ(std::get<1>(fetch({name, "--format", "jsonl", "--page", first}, inChild)),
                      out.first(out.indexOf(u'\n') + 1));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EverySource, ManyPages, ::testing::ValuesIn(allSources()), SourceName);

// Two pages, then one that cannot come (a pipe nobody writes to, a server that never answers):
// Ctrl+C there stops the run at once, with only the two pages printed, whole, the closing line,
// and the exit status 130.
TEST_F(Fetch, CtrlCLeavesOnlyWholePagesAndExitsWith130)
{
    LoopbackServer silent;
    silent.setReply({.closeAfter = false});
    const QString fifo = files.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo), 0600), 0);
    const QString page = VANDREL_TEST_PAGES "/krock/two-rows.html";
    QString printed = "Page\tThis Week\tLast Week\tArtist\tSong\n";
    for (int i = 0; i < 2; ++i)
        for (const QStringList& row : test::goldenCase(page.chopped(5)).rows)
            printed += page + u'\t' + row.join(u'\t') + u'\n';
    for (const QString& stuck : {fifo, silent.url("/stalls")}) {
        QProcess process;
        process.start(VANDREL_FETCH,
                      {"krock", "--page", page, "--page", page, "--page", stuck, "--page", page});
        QByteArray out;
        while (out.size() < printed.size() && process.waitForReadyRead(30000))
            out += process.readAllStandardOutput();
        // Were it gone already, its id would be 0, and Ctrl+C would reach this test's own group.
        ASSERT_EQ(process.state(), QProcess::Running)
            << process.readAllStandardError().toStdString();
        kill(pid_t(process.processId()), SIGINT);
        ASSERT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 130);
        EXPECT_EQ(out + process.readAllStandardOutput(), printed);
        EXPECT_TRUE(process.readAllStandardError().endsWith(
            "Interrupted. Pages read: 2, failed: 0. Rows written: 4.\n"));
    }
}

// A file larger than the pages in flight may hold between them, after a few pages and before
// many more, is read in its turn, whichever of the pages after it were read meanwhile.
TEST_F(Fetch, AFileLargerThanThePagesInFlightMayHoldIsReadInItsTurn)
{
    const QString page = VANDREL_TEST_PAGES "/krock/two-rows.html";
    const QStringList pages = QStringList(3, page)
                              << saved("large", QByteArray(5 << 20, 'x')) << QStringList(100, page);
    const auto [exitCode, out, err] =
        fetch({"krock", "--pages-from", saved("list", pages.join(u'\n').toUtf8())});
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(err.endsWith("Pages read: 104, failed: 1. Rows written: 206.\n"))
        << err.toStdString();
}

// Of many pages, standard error on a terminal shows one progress line while the run lasts, and
// nothing of it at the end; in a pipe it has one line for each page with --verbose, and only the
// closing line without.
TEST_F(Fetch, ShowsProgressOnATerminalAndALineForEachPageWhenVerbose)
{
    const QString fifo = files.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo), 0600), 0);
    const QString page = VANDREL_TEST_PAGES "/krock/two-rows.html";
    const QStringList pages{"krock", "--page", page, "--page", page};
    int terminal = -1, program = -1;
    ASSERT_EQ(openpty(&terminal, &program, nullptr, nullptr, nullptr), 0);
    QProcess process;
    process.setChildProcessModifier([program] { dup2(program, STDERR_FILENO); });
    process.start(VANDREL_FETCH, pages + QStringList{"--page", fifo});
    close(program);
    // The run waits on the pipe, and shows that it does, until the pipe gives its page.
    QByteArray shown;
    char buffer[4096];
    for (pollfd readable{terminal, POLLIN, 0};
         !shown.contains("2 of 3 pages") && poll(&readable, 1, 30000) == 1;)
        shown.append(buffer, std::max<ssize_t>(read(terminal, buffer, sizeof buffer), 0));
    QFile pipe(fifo), saved(page);
    ASSERT_TRUE(pipe.open(QIODevice::WriteOnly) && saved.open(QIODevice::ReadOnly));
    pipe.write(saved.readAll());
    pipe.close();
    ASSERT_TRUE(process.waitForFinished(30000));
    fcntl(terminal, F_SETFL, O_NONBLOCK);
    for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;)
        shown.append(buffer, n);
    close(terminal);
    const auto closing = [](int pages) {
        return QString("Pages read: %1, failed: 0. Rows written: %2.").arg(pages).arg(2 * pages);
    };
    EXPECT_TRUE(shown.startsWith("\r") && shown.contains("\r2 of 3 pages, ") &&
                !shown.contains("Parsing") &&
                shown.endsWith("\r\x1b[K" + closing(3).toUtf8() + "\r\n"))
        << shown.toStdString();
    for (const bool verbose : {false, true}) {
        const QString err =
            std::get<2>(fetch(pages + (verbose ? QStringList{"--verbose"} : QStringList())));
        const QString each =
            QRegularExpression::escape(page + ": Done. (") + R"(\d\.\d secs\) \(2 Found\)\n)";
        EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(
                                           (verbose ? each + each : "") +
                                           QRegularExpression::escape(closing(2) + "\n")))
                        .match(err)
                        .hasMatch())
            << err.toStdString();
    }
}

// A file that is no page gets the same treatment as a server that sends none: a clear message and
// exit 1. A page is read up to the body cap, in the charset it declares, else in UTF-8 when valid,
// else in windows-1252.
TEST_F(Fetch, SaysWhyAFileIsNoPage)
{
    const QByteArray page = "<!--END HEADER-->\n<table>\n<tr></tr>\n1\n2\nCaf\xc3(\nTune\n</table>";
    const QString tooLarge = "\"%1\" is larger than a page may be (16 MiB).\n";
    const std::tuple<QString, int, QString> cases[] = {
        {saved("cap", page.leftJustified(16 * 1024 * 1024)), 0, "1\t2\tCaf\u00c3("},
        {saved("large", page.leftJustified(16 * 1024 * 1024 + 1)), 1, tooLarge},
        {"/dev/zero", 1, tooLarge},
        {saved("empty", "\xef\xbb\xbf"), 1, "\"%1\" is empty.\n"},
        {files.path(), 1, "\"%1\" is a directory.\n"},
        {files.filePath("none"), 1, "Cannot read \"%1\": No such file or directory.\n"},
    };
    for (const auto& [path, exitCode, said] : cases) {
        const auto [code, out, err] = fetch({"krock", "--page", path});
        EXPECT_EQ(code, exitCode);
        EXPECT_TRUE((out + err).contains(QString(said).replace("%1", path))) << err.toStdString();
    }
}

// Every list as the header line of its column titles, without their colons, and its golden
// rows, with the tabs and line breaks inside a cell as blanks; a page that fails exits with 1.
TEST_F(Fetch, PrintsTheRowsOfEveryChoiceAsTheWindowCopiesThem)
{
    for (const ChartSource* source : allSources()) {
        QStringList titles;
        for (const Column& column : source->columns)
            titles << qt(column.title).chopped(1);
        const QStringList name{QLatin1String(source->name.data(), qsizetype(source->name.size()))};
        for (const std::u16string_view choice : source->choicesOrNone()) {
            const test::GoldenList golden = test::goldenList(*source, choice);
            const bool listed = !golden.page.isEmpty() && golden.error.isEmpty();
            QString expected = listed ? titles.join(u'\t') + u'\n' : QString();
            for (QStringList row : golden.rows)
                expected +=
                    row.replaceInStrings(QRegularExpression("[\t\r\n]"), " ").join(u'\t') + u'\n';
            const auto [exitCode, out, err] =
                demo(name + QString(qt(choice).toLower()).split(u' ', Qt::SkipEmptyParts));
            EXPECT_EQ(exitCode, listed ? 0 : 1) << qt(choice).toStdString();
            EXPECT_EQ(out, expected) << qt(choice).toStdString();
        }
    }
    // A caption's "&&" prints as one "&"; the page is the address downloaded.
    const QString json = std::get<1>(demo({"--format", "json", "krock"}));
    EXPECT_TRUE(json.contains(R"("caption": "Top Airplay & Requested Songs:")"));
    EXPECT_TRUE(json.contains(R"("page": ")" + qt(findSource("krock")->address({})) + '"'));
}

// What does not give a list: exit 1 with the reason on standard error, or 2 for a usage error
// naming what is valid; standard output stays empty.
TEST_F(Fetch, OtherwiseExitsWithTheReasonOnStandardErrorOnly)
{
    const QString versions =
        QStringLiteral("%1 = Your Version\n%2 = Newest Version\n")
            .arg(QStringLiteral(VANDREL_VERSION), QLatin1String(sample::NewestVersion.data()));
    const struct
    {
        QString arguments;
        int exitCode;
        QString out, errorPart;
    } cases[] = {
        {"version", 0, versions, ""},
        {"billboard " + QString::fromLatin1(sample::MissingChart), 1, "", "Error 404 Not Found\n"},
        {"cddb-albums " + QString::fromLatin1(sample::ChangedAlbumGenre) + " --verbose", 1, "",
         "\nParsing...\nAn error occured while "
         "processing the list: Invalid procedure call or argument.\nMake sure you have the "
         "latest version of this program.\n"},
        {"nosuchsource", 2, "", "unknown source \"nosuchsource\"; the sources are: "},
        {"cddb-songs blues", 2, "", "Alt, Catalog, Country"},
        {"krock rock", 2, "", "krock takes no choice."},
        {"krock --page http://example.org/", 2, "", "--demo sends every request"},
        {"version --page -", 2, "", "--page goes with a SOURCE."},
        {"--format xml krock", 2, "", "tsv, csv, json, jsonl."},
        {"krock --page - --pages-from -", 2, "", "standard input (-) can be read once only"},
        {"krock --pages-from /dev/zero", 1, "",
         "\"/dev/zero\" is larger than a list may be (16 MiB).\n"},
    };
    for (const auto& c : cases) {
        const auto [exitCode, out, err] = demo(c.arguments.split(u' '));
        EXPECT_EQ(exitCode, c.exitCode) << c.arguments.toStdString();
        EXPECT_EQ(out, c.out) << c.arguments.toStdString();
        EXPECT_TRUE(err.contains(c.errorPart)) << err.toStdString();
    }
}

// Every way out checks its writes: output that is lost exits with 1 and one message; a reader
// that went away, with SIGPIPE ignored as many callers leave it, ends the program with 1 and
// none. Each run also ends, which is to say it does not hang.
TEST_F(Fetch, EveryWayOutFailsWhenItsOutputIsLost)
{
    const QString cannot = "vandrel-fetch: cannot write the output: ";
    const std::pair<std::function<void()>, QString> losses[] = {
        {[] { dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO); },
         cannot + "No space left on device\n"},
        {[] { close(STDOUT_FILENO); }, cannot + "Bad file descriptor\n"},
        {[] {
             if (int ends[2]; pipe(ends) == 0 && close(ends[0]) == 0)
                 dup2(ends[1], STDOUT_FILENO);
             signal(SIGPIPE, SIG_IGN);
         },
         ""},
    };
    for (const char* arguments : {"--version", "--help", "--list", "version", "krock"})
        for (const auto& [lose, message] : losses)
            EXPECT_EQ(demo(QString(arguments).split(u' '), lose), Outcome(1, "", message))
                << arguments;
}

// Standard output is escaped when it is a terminal and keeps its bytes in a pipe, wherever
// standard error is; standard error is escaped always. JSON carries no character that acts on a
// terminal, on one or in a pipe, and reads back to the exact cell.
TEST_F(Fetch, EscapesStandardOutputOnATerminalOnlyAndStandardErrorAlways)
{
    LoopbackServer server;
    test::useProxy(server.port());
    const QByteArray sent = Hostile.toUtf8();
    const QByteArray body = "<!--END HEADER-->\n<table>\n<tr><th>This Week</th></tr>\n1\n2\n" +
                            sent + "\nTune\nAlbum\nLabel\n</table>\n";
    const LoopbackServer::Reply page = LoopbackServer::ok(body);
    // A file name holds every character but NUL (and "/", which none of them is).
    const auto [name, nameShown] = hostile(1, 0x10FFFF);
    // The arguments, the server's reply, and the text from outside as a terminal is to show it
    // when it goes to standard error (null when it goes to standard output).
    const std::tuple<QStringList, LoopbackServer::Reply, QString> cases[] = {
        {{"krock", "--verbose"}, page, {}},
        {{"krock", "--format", "csv"}, page, {}},
        {{"krock", "--format", "json"}, page, {}},
        {{"krock", "--page", saved("hostile.html", body)}, {}, {}},
        {{"version"}, LoopbackServer::ok("<!-- Version -->" + sent), {}},
        {{"krock"}, {LoopbackServer::response("404 Not " + Reason.toLatin1(), {})}, ReasonShown},
        {{"krock", "--page", saved(name, "")}, {}, nameShown},
        // A list's line is as hostile as a --page.
        {{"krock", "--pages-from", saved("pages", saved("p" + name, body).toUtf8() + "\n")},
         {},
         {}},
        {{"krock", "--pages-from", saved("no-page", files.filePath(name).toUtf8() + "\n")},
         {},
         nameShown},
    };
    for (const int terminal : {STDOUT_FILENO, STDERR_FILENO})
        for (const auto& [arguments, reply, errorShown] : cases) {
            server.setReply(reply);
            const auto [shown, piped] = onTerminal(arguments, terminal);
            const bool toError = !errorShown.isNull();
            const QByteArray& printed = toError == (terminal == STDERR_FILENO) ? shown : piped;
            const bool json = arguments.last() == "json";
            const bool escaped = toError || terminal == STDOUT_FILENO;
            SCOPED_TRACE(arguments.join(u' ').toStdString() +
                         (terminal == STDOUT_FILENO ? " >tty" : " 2>tty"));
            if (json || escaped)
                expectInert(printed);
            EXPECT_TRUE(json ? QJsonDocument::fromJson(printed)["rows"][0][2] == Hostile
                             : QString::fromUtf8(printed).contains(toError   ? errorShown
                                                                   : escaped ? HostileShown
                                                                             : Hostile))
                << printed.toStdString();
        }
}

// Each character as terminalText shows it, and a line feed as the line break it is.
TEST(TerminalText, EscapesEachCharacterThatActsOnATerminalAndOnlyThose)
{
    for (const auto& [c, escape] : Characters)
        EXPECT_EQ(terminalText(QString::fromUcs4(&c, 1)),
                  escape ? QString(escape) : QString::fromUcs4(&c, 1))
            << "U+" << std::hex << unsigned(c);
    EXPECT_EQ(terminalText("a\nb"), "a\nb");
}

// Each cell as its CSV field, quoted exactly where RFC 4180 requires it with its quotes doubled,
// and read back by Python's csv module. The JSON of the same table, every character also in the
// texts the program writes itself (source, caption, a column title), holds none raw that acts on
// a terminal and reads back exactly.
TEST(RowFormats, CsvQuotesWhereRfc4180RequiresAndJsonReadsBackInert)
{
    const std::pair<QString, QString> cells[] = {
        {"a\"b", "\"a\"\"b\""}, {"\"", "\"\"\"\""},       {"a,b", "\"a,b\""}, {"a\rb", "\"a\rb\""},
        {"a\nb", "\"a\nb\""},   {"a\r\nb", "\"a\r\nb\""}, {" a ", " a "},     {"", ""},
        {Hostile, Hostile},
    };
    ChartTable table{Hostile, {}, Hostile, Hostile, {"Rank", Hostile}, Rows(2)};
    QString expected = "Rank," + Hostile + "\r\n";
    QJsonArray rows;
    for (const auto& [cell, field] : cells) {
        table.rows.add();
        table.rows.setLast(0, u"1");
        table.rows.setLast(1, cell.toStdU16String());
        expected += "1," + field + "\r\n";
        rows.append(QJsonArray{"1", cell});
    }
    const QByteArray csv = formatRows(table, RowFormat::Csv);
    EXPECT_EQ(QString::fromUtf8(csv), expected);
    QProcess python;
    python.start("python3", {"-c", "import csv, io, json, sys; print(json.dumps(list(csv.reader("
                                   "io.TextIOWrapper(sys.stdin.buffer, 'utf-8', newline=''), "
                                   "strict=True))))"});
    python.write(csv);
    python.closeWriteChannel();
    ASSERT_TRUE(python.waitForFinished(30000));
    QJsonArray records = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    EXPECT_EQ(records.takeAt(0), (QJsonArray{"Rank", Hostile}));
    EXPECT_EQ(records, rows);

    const QByteArray json = formatRows(table, RowFormat::Json);
    expectInert(json);
    const QJsonDocument read = QJsonDocument::fromJson(json);
    EXPECT_EQ(
        QJsonArray(
            {read["source"], read["choice"], read["caption"], read["page"], read["columns"]}),
        QJsonArray({Hostile, QJsonValue::Null, Hostile, Hostile, QJsonArray{"Rank", Hostile}}));
    EXPECT_EQ(read["rows"], rows);
}

} // namespace
} // namespace vandrel
