// vandrel-fetch as a user runs it, against the sample server as its proxy.
#include "cli/RowFormats.h"
#include "net/QtText.h"
#include "sources/chart_source.h"
#include "sources/tsv.h"
#include "text/replace.h"
#include "text/utf8.h"
#include "tools/sample-server/SampleServer.h"
#include "tools/sample-server/sample_pages.h"

#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

struct Outcome
{
    int exitCode;
    QString out, err;
};

class Fetch : public ::testing::Test
{
protected:
    Fetch() { EXPECT_TRUE(server.listen(0)); }

    Outcome fetch(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("http_proxy"),
                           QStringLiteral("http://127.0.0.1:%1").arg(server.port()));
        process.setProcessEnvironment(environment);
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral(VANDREL_FETCH), arguments);
        EXPECT_TRUE(finished.wait(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    sample::SampleServer server;
};

// The rows of the sample page, cut out without any HTTP, as the window copies them.
struct Rows final : RowSink
{
    std::vector<std::vector<std::u16string>> rows;
    void AddRow(std::u16string first) override { rows.push_back({std::move(first)}); }
    void SetSubItem(int, std::u16string text) override { rows.back().push_back(std::move(text)); }
};

QString expectedTsv(const ChartSource& source, std::u16string_view choice)
{
    const std::u16string address = source.address(choice);
    const std::string path(address.begin() + address.find(u'/', 7), address.end());
    const std::u16string page = ReplaceAll(FromUtf8(sample::FindPage(path)->body), u"&amp;", u"&");
    Rows rows;
    source.extract(page, rows);
    std::vector<std::u16string> titles;
    for (const Column& column : source.columns)
        titles.emplace_back(column.title.substr(0, column.title.size() - 1));
    std::u16string text = TabSeparatedLine(titles);
    for (const auto& row : rows.rows)
        text += TabSeparatedLine(row);
    return qt(text);
}

TEST_F(Fetch, PrintsTheRowsOfEveryChoiceAsTheWindowCopiesThem)
{
    for (const ChartSource* source : AllSources()) {
        const QStringList name{QLatin1String(source->name.data(), qsizetype(source->name.size()))};
        if (source->choices.empty()) {
            EXPECT_EQ(fetch(name).out, expectedTsv(*source, u""));
        }
        for (const std::u16string_view choice : source->choices) {
            // These two fail on purpose; the next test has them.
            if (choice != u"Celtic" && choice != u"LatinTracks") {
                EXPECT_EQ(fetch(name + QStringList{qt(choice).toLower()}).out,
                          expectedTsv(*source, choice));
            }
        }
    }
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
        {"billboard LatinTracks", 1, "", "Error 404 Not Found\n"},
        {"cddb-albums celtic --verbose", 1, "",
         "\nParsing...\nAn error occured while "
         "processing the list: Invalid procedure call or argument.\nMake sure you have the "
         "latest version of this program.\n"},
        {"bilboard", 2, "", "krock, cddb-albums, cddb-songs, billboard, hot97."},
        {"cddb-songs blues", 2, "", "Alt, Catalog, Country"},
        {"krock rock", 2, "", "krock takes no choice."},
        {"--format xml krock", 2, "", "tsv, csv, json."},
    };
    for (const auto& c : cases) {
        const Outcome run = fetch(c.arguments.split(u' '));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.toStdString();
        EXPECT_EQ(run.out, c.out) << c.arguments.toStdString();
        EXPECT_TRUE(run.err.contains(c.errorPart)) << run.err.toStdString();
    }
}

TEST(RowFormats, QuoteAndEscapeWhatWouldBreakTheFormat)
{
    const auto bytes = [](const auto& literal) { return QByteArray(literal, sizeof(literal) - 1); };
    const std::u16string tricky(u"a,\"b\"\r\nc\u0001\0d", 11);
    const ChartTable table{QStringLiteral("hot97"),
                           {},
                           QStringLiteral("Hot 97 Playlist:"),
                           {QStringLiteral("Rank"), QStringLiteral("Artist")},
                           {{u"1", tricky}}};
    EXPECT_EQ(FormatRows(table, RowFormat::Csv),
              bytes("Rank,Artist\r\n1,\"a,\"\"b\"\"\r\nc\x01\0d\"\r\n"));
    EXPECT_EQ(FormatRows(table, RowFormat::Tsv), bytes("Rank\tArtist\n1\ta,\"b\"  c\x01\0d\n"));
    EXPECT_EQ(
        FormatRows(table, RowFormat::Json).simplified(),
        QByteArray(
            R"({ "caption": "Hot 97 Playlist:", "choice": null, "columns": [ "Rank", "Artist" ], )"
            R"("rows": [ [ "1", "a,\"b\"\r\nc\u0001\u0000d" ] ], "source": "hot97" })"));
}

} // namespace
} // namespace vandrel
