// vandrel-fetch as a user runs it, against the sample server as its proxy.
#include "cli/RowFormats.h"
#include "sources/chart_source.h"
#include "text/replace.h"
#include "sources/tsv.h"
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
    return QString::fromStdU16String(text);
}

TEST_F(Fetch, PrintsTheRowsOfEveryChoiceAsTheWindowCopiesThem)
{
    for (const ChartSource* source : AllSources()) {
        const QString name =
            QString::fromLatin1(source->name.data(), qsizetype(source->name.size()));
        std::vector<std::u16string_view> choices(source->choices.begin(), source->choices.end());
        if (choices.empty())
            choices.push_back(u"");
        for (const std::u16string_view choice : choices) {
            const QString item = QString::fromStdU16String(std::u16string(choice));
            if (item == QStringLiteral("Celtic") || item == QStringLiteral("LatinTracks"))
                continue;
            const Outcome run =
                fetch(item.isEmpty() ? QStringList{name} : QStringList{name, item.toLower()});
            EXPECT_EQ(run.exitCode, 0) << name.toStdString() << ' ' << item.toStdString();
            EXPECT_EQ(run.out, expectedTsv(*source, choice)) << item.toStdString();
        }
    }
}

TEST_F(Fetch, FailuresExitWithOneAndSayWhyOnStandardErrorOnly)
{
    const Outcome missing = fetch({QStringLiteral("billboard"), QStringLiteral("LatinTracks")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, QString());
    EXPECT_EQ(missing.err, QStringLiteral("Error 404 Not Found\n"));

    const Outcome changed = fetch(
        {QStringLiteral("cddb-albums"), QStringLiteral("celtic"), QStringLiteral("--verbose")});
    EXPECT_EQ(changed.exitCode, 1);
    EXPECT_EQ(changed.out, QString());
    EXPECT_TRUE(
        changed.err.startsWith(QStringLiteral("Downloading List...\nLooking up IP address")));
    EXPECT_TRUE(changed.err.endsWith(QStringLiteral(
        "Parsing...\nAn error occured while processing the list: Invalid procedure call or "
        "argument.\nMake sure you have the latest version of this program.\n")));
}

TEST_F(Fetch, UsageErrorsExitWithTwoAndNameWhatIsValid)
{
    const Outcome source = fetch({QStringLiteral("bilboard")});
    EXPECT_EQ(source.exitCode, 2);
    EXPECT_TRUE(
        source.err.contains(QStringLiteral("krock, cddb-albums, cddb-songs, billboard, hot97")));
    const Outcome choice = fetch({QStringLiteral("cddb-songs"), QStringLiteral("blues")});
    EXPECT_EQ(choice.exitCode, 2);
    EXPECT_TRUE(choice.err.contains(QStringLiteral("Alt, Catalog, Country")));
    EXPECT_EQ(fetch({QStringLiteral("krock"), QStringLiteral("rock")}).exitCode, 2);
    EXPECT_EQ(fetch({QStringLiteral("--format"), QStringLiteral("xml"), QStringLiteral("krock")})
                  .exitCode,
              2);
}

TEST_F(Fetch, VersionPrintsBothVersions)
{
    const Outcome run = fetch({QStringLiteral("version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("%1 = Your Version\n%2 = Newest Version\n")
                           .arg(QStringLiteral(VANDREL_VERSION),
                                QLatin1String(sample::NewestVersion.data())));
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
