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
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
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
};

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
    // A caption's "&&" prints as one "&".
    EXPECT_TRUE(std::get<1>(demo({"--format", "json", "krock"}))
                    .contains(R"("caption": "Top Airplay & Requested Songs:")"));
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
        {"--format xml krock", 2, "", "tsv, csv, json."},
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
    LoopbackServer hostile;
    test::useProxy(hostile.port());
    const QByteArray sent = Hostile.toUtf8();
    const LoopbackServer::Reply page =
        LoopbackServer::ok("<!--END HEADER-->\n<table>\n<tr><th>This Week</th></tr>\n1\n2\n" +
                           sent + "\nTune\nAlbum\nLabel\n</table>\n");
    // The arguments, the server's reply, and whether the text from the network goes to
    // standard error.
    const std::tuple<const char*, LoopbackServer::Reply, bool> cases[] = {
        {"krock --verbose", page, false},
        {"krock --format csv", page, false},
        {"krock --format json", page, false},
        {"version", LoopbackServer::ok("<!-- Version -->" + sent), false},
        {"krock", {LoopbackServer::response("404 Not " + Reason.toLatin1(), {})}, true},
    };
    for (const int terminal : {STDOUT_FILENO, STDERR_FILENO})
        for (const auto& [arguments, reply, toError] : cases) {
            hostile.setReply(reply);
            const auto [shown, piped] = onTerminal(QString(arguments).split(u' '), terminal);
            const QByteArray& printed = toError == (terminal == STDERR_FILENO) ? shown : piped;
            const bool json = QByteArray(arguments).endsWith("json");
            const bool escaped = toError || terminal == STDOUT_FILENO;
            SCOPED_TRACE(arguments + std::string(terminal == STDOUT_FILENO ? " >tty" : " 2>tty"));
            if (json || escaped)
                expectInert(printed);
            EXPECT_TRUE(json ? QJsonDocument::fromJson(printed)["rows"][0][2] == Hostile
                             : QString::fromUtf8(printed).contains(toError   ? ReasonShown
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
    ChartTable table{Hostile, {}, Hostile, {"Rank", Hostile}, {}};
    QString expected = "Rank," + Hostile + "\r\n";
    QJsonArray rows;
    for (const auto& [cell, field] : cells) {
        table.rows.push_back({u"1", cell.toStdU16String()});
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
    EXPECT_EQ(QJsonArray({read["source"], read["choice"], read["caption"], read["columns"]}),
              QJsonArray({Hostile, QJsonValue::Null, Hostile, QJsonArray{"Rank", Hostile}}));
    EXPECT_EQ(read["rows"], rows);
}

} // namespace
} // namespace vandrel
