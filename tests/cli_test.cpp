// vandrel-fetch as a user runs it, on the sample server inside it (--demo) or against a hostile
// server as its proxy.
#include "cli/row_formats.h"
#include "cli/terminal_text.h"
#include "net/qt_text.h"
#include "sample/pages/sample_pages.h"
#include "support/golden_rows.h"
#include "support/loopback_server.h"
#include "support/window_testing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <unistd.h>

namespace vandrel {
namespace {

// The exit code, standard output and standard error of one run.
using Outcome = std::tuple<int, QString, QString>;

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

    // Everything the terminal receives of a run whose standard output and error are that terminal.
    QByteArray onTerminal(const QStringList& arguments)
    {
        int terminal = -1, program = -1;
        EXPECT_EQ(openpty(&terminal, &program, nullptr, nullptr, nullptr), 0);
        fetch(arguments, [program] {
            dup2(program, STDOUT_FILENO);
            dup2(program, STDERR_FILENO);
        });
        close(program);
        fcntl(terminal, F_SETFL, O_NONBLOCK);
        QByteArray shown;
        char buffer[4096];
        for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, n);
        close(terminal);
        return shown;
    }

    // On the sample server inside the program, which no proxy setting of the environment can
    // bypass: were the exemption read, every request would go to the network.
    Outcome demo(const QStringList& arguments)
    {
        qputenv("no_proxy", "*");
        Outcome outcome = fetch(QStringList{"--demo"} + arguments);
        qunsetenv("no_proxy");
        return outcome;
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
    for (const std::u16string_view choice : test::choicesOf(source)) {
        const auto served = sample::findPage(QUrl(qt(source.address(choice))).path().toStdString());
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

INSTANTIATE_TEST_SUITE_P(EverySource, SavedPages, ::testing::ValuesIn(allSources()));

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
        for (const std::u16string_view choice : test::choicesOf(*source)) {
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
    EXPECT_TRUE(json.contains(R"("page": ")" + qt(KRockSource.address({})) + '"'));
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
        {"bilboard", 2, "", "krock, cddb-albums, cddb-songs, billboard, hot97."},
        {"cddb-songs blues", 2, "", "Alt, Catalog, Country"},
        {"krock rock", 2, "", "krock takes no choice."},
        {"krock --page http://example.org/", 2, "", "--demo sends every request"},
        {"version --page -", 2, "", "--page goes with a SOURCE."},
        {"--format xml krock", 2, "", "tsv, csv, json."},
    };
    for (const auto& c : cases) {
        const auto [exitCode, out, err] = demo(c.arguments.split(u' '));
        EXPECT_EQ(exitCode, c.exitCode) << c.arguments.toStdString();
        EXPECT_EQ(out, c.out) << c.arguments.toStdString();
        EXPECT_TRUE(err.contains(c.errorPart)) << err.toStdString();
    }
}

// What drives a terminal, in a chart cell.
const QByteArray Active = "\x1b]0;PWNED\x07\x1b[2J\x1b[31m\xc2\x9b\xe2\x80\xae\x7f";
const QByteArray HostileBody = "<!--END HEADER-->\n<table>\n<tr><th>This Week</th></tr>\n1\n2\n" +
                               Active + "\nTune\nAlbum\nLabel\n</table>\n";
const test::LoopbackServer::Reply HostilePage = test::LoopbackServer::ok(HostileBody);

// From a hostile server, or from a hostile file, or a file with a hostile name.
TEST_F(Fetch, ShowsTextFromTheNetworkOnATerminalWithoutObeyingIt)
{
    test::LoopbackServer hostile;
    test::useProxy(hostile.port());
    const std::pair<QString, test::LoopbackServer::Reply> cases[] = {
        {"krock --page " + saved("hostile.html", HostileBody), {}},
        {"krock --page " + saved(QString::fromUtf8(Active), "<html>"), {}},
        {"krock --verbose", HostilePage},
        {"krock --format csv", HostilePage},
        {"krock", {test::LoopbackServer::response("404 Not " + Active, {"Content-Length: 0"})}},
        {"version", test::LoopbackServer::ok("<!-- Version -->" + Active)},
    };
    for (const auto& [arguments, reply] : cases) {
        hostile.setReply(reply);
        const QByteArray shown = onTerminal(arguments.split(u' '));
        EXPECT_TRUE(shown.contains(R"(\x1b]0;PWNED\x07\x1b[2J\x1b[31m)")) << shown.toStdString();
        for (const char* acting : {"\x1b", "\x07", "\xc2\x9b", "\xe2\x80\xae", "\x7f"})
            EXPECT_FALSE(shown.contains(acting)) << arguments.toStdString() << shown.toStdString();
    }
}

// In a pipe the JSON carries the cell exactly; a write that fails is an error.
TEST_F(Fetch, KeepsMachineOutputExactAndFailsWhenItCannotBeWritten)
{
    test::LoopbackServer hostile;
    hostile.setReply(HostilePage);
    test::useProxy(hostile.port());
    const auto [exitCode, out, err] = fetch({"krock", "--format", "json"});
    EXPECT_EQ(QJsonDocument::fromJson(out.toUtf8())["rows"][0][2].toString(),
              QString::fromUtf8(Active));
    const std::pair<std::function<void()>, QString> failedWrites[] = {
        {[] { dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO); }, "No space left on device"},
        {[] { close(STDOUT_FILENO); }, "Bad file descriptor"},
    };
    for (const auto& [redirect, reason] : failedWrites)
        EXPECT_EQ(fetch({"krock"}, redirect),
                  Outcome(1, "", "vandrel-fetch: cannot write the output: " + reason + "\n"));
}

// Each character that acts on a terminal shown as an escape; everything else as it is.
TEST(TerminalText, ShowsEveryControlAsAnEscape)
{
    const std::pair<QString, QString> cases[] = {
        {"\x1b]0;PWNED\x07\x1b[2J\x1b[31m", R"(\x1b]0;PWNED\x07\x1b[2J\x1b[31m)"},
        {"\x1b]52;c;cm0=\x1b\\\x1b]8;;http://x", R"(\x1b]52;c;cm0=\x1b\\x1b]8;;http://x)"},
        {QStringLiteral("\u009b2J\u0085a\x7f\r\t"), R"(\x9b2J\x85a\x7f\x0d\x09)"},
        {QStringLiteral("\u202ea\u2066\u2069\u200e\u061c"), R"(\u202ea\u2066\u2069\u200e\u061c)"},
        {QStringLiteral("R\u00f3s \\x1b\n2\u00a0"), QStringLiteral("R\u00f3s \\x1b\n2\u00a0")},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(terminalText(text), shown);
}

TEST(RowFormats, QuoteAndEscapeWhatWouldBreakTheFormat)
{
    const auto bytes = [](const auto& literal) { return QByteArray(literal, sizeof(literal) - 1); };
    const std::u16string tricky(std::u16string_view(u"a,\"b\"\r\nc\u0001\0d", 11));
    const ChartTable table{QStringLiteral("hot97"),
                           {},
                           QStringLiteral("Hot 97 Playlist:"),
                           QStringLiteral("-"),
                           {QStringLiteral("Rank"), QStringLiteral("Artist")},
                           {{u"1", tricky}, {u"\n", u"\r"}}};
    EXPECT_EQ(formatRows(table, RowFormat::Csv),
              // NOLINTNEXTLINE(bugprone-string-literal-with-embedded-nul): bytes() takes it all
              bytes("Rank,Artist\r\n1,\"a,\"\"b\"\"\r\nc\x01\0d\"\r\n\"\n\",\"\r\"\r\n"));
    EXPECT_EQ(
        formatRows(table, RowFormat::Json).simplified(),
        QByteArray(
            R"({ "caption": "Hot 97 Playlist:", "choice": null, "columns": [ "Rank", "Artist" ], )"
            R"("page": "-", )"
            R"("rows": [ [ "1", "a,\"b\"\r\nc\u0001\u0000d" ], [ "\n", "\r" ] ], "source": "hot97" })"));
}

} // namespace
} // namespace vandrel
