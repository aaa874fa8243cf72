// vandrel-fetch as a user runs it, against the sample server as its proxy.
#include "cli/RowFormats.h"
#include "net/QtText.h"
#include "support/SampleRows.h"
#include "support/WindowTesting.h"
#include "tools/sample-server/SampleServer.h"

#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

// The exit code, standard output and standard error of one run.
using Outcome = std::tuple<int, QString, QString>;

class Fetch : public ::testing::Test
{
protected:
    Fetch()
    {
        EXPECT_TRUE(server.listen(0));
        test::UseProxy(server.port());
    }
    ~Fetch() override { test::UseNoProxy(); }

    Outcome fetch(const QStringList& arguments)
    {
        QProcess process;
        QSignalSpy finished(&process, &QProcess::finished);
        process.start(QStringLiteral(VANDREL_FETCH), arguments);
        EXPECT_TRUE(finished.wait(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    sample::SampleServer server;
};

// Every list as the header line of its column titles, without their colons, and its rows.
TEST_F(Fetch, PrintsTheRowsOfEveryChoiceAsTheWindowCopiesThem)
{
    for (const ChartSource* source : AllSources()) {
        QStringList titles;
        for (const Column& column : source->columns)
            titles << qt(column.title).chopped(1);
        const QStringList name{QLatin1String(source->name.data(), qsizetype(source->name.size()))};
        for (const std::u16string_view choice : test::ChoicesOf(*source)) {
            if (choice == u"Celtic" || choice == u"LatinTracks")
                continue; // the next test has these
            const auto [exitCode, out, err] =
                fetch(name + QString(qt(choice).toLower()).split(u' ', Qt::SkipEmptyParts));
            const QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
            QList<QStringList> rows;
            for (const QString& line : lines.mid(1))
                rows << line.split(u'\t');
            EXPECT_EQ(lines.value(0), titles.join(u'\t'));
            EXPECT_EQ(rows, test::SampleRows(*source, choice)) << qt(choice).toStdString();
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
        const auto [exitCode, out, err] = fetch(c.arguments.split(u' '));
        EXPECT_EQ(exitCode, c.exitCode) << c.arguments.toStdString();
        EXPECT_EQ(out, c.out) << c.arguments.toStdString();
        EXPECT_TRUE(err.contains(c.errorPart)) << err.toStdString();
    }
}

TEST(RowFormats, QuoteAndEscapeWhatWouldBreakTheFormat)
{
    const auto bytes = [](const auto& literal) { return QByteArray(literal, sizeof(literal) - 1); };
    const std::u16string tricky(std::u16string_view(u"a,\"b\"\r\nc\u0001\0d", 11));
    const ChartTable table{QStringLiteral("hot97"),
                           {},
                           QStringLiteral("Hot 97 Playlist:"),
                           {QStringLiteral("Rank"), QStringLiteral("Artist")},
                           {{u"1", tricky}}};
    EXPECT_EQ(FormatRows(table, RowFormat::Csv),
              // NOLINTNEXTLINE(bugprone-string-literal-with-embedded-nul): bytes() takes it all
              bytes("Rank,Artist\r\n1,\"a,\"\"b\"\"\r\nc\x01\0d\"\r\n"));
    EXPECT_EQ(
        FormatRows(table, RowFormat::Json).simplified(),
        QByteArray(
            R"({ "caption": "Hot 97 Playlist:", "choice": null, "columns": [ "Rank", "Artist" ], )"
            R"("rows": [ [ "1", "a,\"b\"\r\nc\u0001\u0000d" ] ], "source": "hot97" })"));
}

} // namespace
} // namespace vandrel
