#include "sources/chart_source.h"
#include "text/failure.h"
#include "text/markers.h"
#include "tools/sample-server/SampleServer.h"
#include "tools/sample-server/sample_pages.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkProxy>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace vandrel::sample {
namespace {

using namespace std::chrono_literals;

struct Response
{
    int status = 0; // 0: the server closed without an answer
    QByteArray head;
    QByteArray body;
    int pieces = 0; // how many reads the answer took
};

Response Parsed(const QByteArray& received, int pieces)
{
    Response response;
    const auto end = received.indexOf("\r\n\r\n");
    if (!received.startsWith("HTTP/1.1 ") || end < 0)
        return response;
    response.status = received.mid(9, 3).toInt();
    response.head = received.left(end);
    response.body = received.mid(end + 4);
    response.pieces = pieces;
    return response;
}

// Sends `request` as it is and reads until the server closes the connection.
Response Exchange(quint16 port, const QByteArray& request)
{
    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    QEventLoop loop;
    QByteArray received;
    int pieces = 0;
    QObject::connect(&socket, &QTcpSocket::connected, [&] { socket.write(request); });
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] {
        received += socket.readAll();
        ++pieces;
    });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, &QEventLoop::quit);
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop, &QEventLoop::quit);
    // Only a guard against a hang: every answer ends long before.
    QTimer::singleShot(60s, &loop, &QEventLoop::quit);
    socket.connectToHost(QHostAddress::LocalHost, port);
    loop.exec();
    received += socket.readAll();
    return Parsed(received, pieces);
}

QByteArray GetRequest(const QByteArray& target)
{
    return "GET " + target + " HTTP/1.1\r\nHost: www.example.com\r\nConnection: Keep-Alive\r\n\r\n";
}

QByteArray Header(const Response& response, const QByteArray& name)
{
    for (const QByteArray& line : response.head.split('\n')) {
        if (line.toLower().startsWith(name.toLower() + ':'))
            return line.mid(name.size() + 1).trimmed();
    }
    return {};
}

// The page text the way the program hands it to an extraction.
std::u16string ProgramText(const QByteArray& body)
{
    return QString::fromUtf8(body)
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"))
        .toStdU16String();
}

class RowList : public RowSink
{
public:
    void AddRow(std::u16string firstColumn) override { rows.push_back({std::move(firstColumn)}); }
    void SetSubItem(int index, std::u16string text) override
    {
        auto& row = rows.back();
        row.resize(std::max(row.size(), static_cast<std::size_t>(index) + 1));
        row[static_cast<std::size_t>(index)] = std::move(text);
    }

    std::vector<std::vector<std::u16string>> rows;
};

class SampleServerTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(server.listen(0)) << server.errorString().toStdString(); }

    Response Get(const QByteArray& target) { return Exchange(server.port(), GetRequest(target)); }

    SampleServer server;
};

// What the server does for one drop-down item of the program.
enum class Outcome { Rows, InvalidArgument, NotFound };

struct Address
{
    std::string name;
    const ChartSource* source;
    std::u16string choice;
    std::string path;
    int artistColumn;
    Outcome outcome = Outcome::Rows;
};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

using PathOf = std::string (*)(const std::string& key);

void AddItems(std::vector<Address>& addresses, const char* prefix, const ChartSource& source,
              std::initializer_list<const char*> items, PathOf pathOf, int artistColumn)
{
    for (const char* item : items) {
        const std::string key = Lower(item);
        Outcome outcome = Outcome::Rows;
        if (&source == &CddbAlbumsSource && key == ChangedAlbumGenre)
            outcome = Outcome::InvalidArgument;
        if (&source == &BillboardSource && key == MissingChart)
            outcome = Outcome::NotFound;
        addresses.push_back({prefix + key, &source, QString::fromLatin1(item).toStdU16String(),
                             pathOf(key), artistColumn, outcome});
    }
}

// Every address the program can request: the drop-down items as the window lists them.
std::vector<Address> ProgramAddresses()
{
    std::vector<Address> addresses = {{"krock", &KRockSource, u"", "/krockmusic/", 2},
                                      {"hot97", &Hot97Source, u"", "/music/playlist.aspx", 1}};
    AddItems(
        addresses, "albums_", CddbAlbumsSource,
        {"Alt", "Blues", "Catalog", "Celtic", "Country", "Folk", "Gospel", "HipHop", "Jazz",
         "Latin", "Metal", "Pop", "Reggae", "RnB", "Rock", "Soundtrack", "Techno", "World"},
        [](const std::string& key) { return "/music/topgen.html/genre=" + key; }, 1);
    AddItems(
        addresses, "songs_", CddbSongsSource,
        {"Alt", "Catalog", "Country", "Gospel", "Jazz", "Latin", "Pop", "Rock", "Soundtrack",
         "Techno", "Urban", "World"},
        [](const std::string& key) { return "/music/toptracks.html/genre=" + key; }, 1);
    AddItems(
        addresses, "chart_", BillboardSource,
        {"Adult", "Contemporary", "Country", "Dance", "Dance_Radio", "Digital", "Hot100",
         "LatinTracks", "Mainstream", "Modern", "Rap", "RnB"},
        [](const std::string& key) {
            return (key == "hot100" ? "/bb/charts/" : "/bb/charts/airplay/") + key + ".jsp";
        },
        3);
    return addresses;
}

void PrintTo(const Address& address, std::ostream* out)
{
    *out << address.path;
}

class ProgramAddressTest : public SampleServerTest, public ::testing::WithParamInterface<Address>
{
};

// The rows a page gives: each numbered from 1 in its first column, with an artist, and no
// markup or line ends left in any column.
void ExpectCleanRows(const RowList& sink, int artistColumn)
{
    ASSERT_FALSE(sink.rows.empty());
    for (std::size_t i = 0; i < sink.rows.size(); ++i) {
        const auto& row = sink.rows[i];
        SCOPED_TRACE("row " + std::to_string(i + 1));
        EXPECT_EQ(row.front(), QString::number(i + 1).toStdU16String());
        ASSERT_GT(row.size(), static_cast<std::size_t>(artistColumn));
        EXPECT_FALSE(row[static_cast<std::size_t>(artistColumn)].empty());
        for (const auto& column : row) {
            EXPECT_EQ(column.find_first_of(u"<>\r\n\t\x01\x02\x03"), std::u16string::npos)
                << QString::fromStdU16String(column).toStdString();
        }
    }
}

TEST_P(ProgramAddressTest, AnswersWithAPageTheExtractionReads)
{
    const Address& address = GetParam();
    const QString url = QString::fromStdU16String(address.source->address(address.choice));
    ASSERT_TRUE(url.endsWith(QString::fromStdString(address.path))) << url.toStdString();

    // The program reaches the server as its proxy.
    const Response response = Get(url.toUtf8());
    if (address.outcome == Outcome::NotFound) {
        EXPECT_EQ(response.status, 404);
        return;
    }
    ASSERT_EQ(response.status, 200);
    EXPECT_EQ(Header(response, "Content-Type"), "text/html; charset=utf-8");
    EXPECT_EQ(Header(response, "Content-Length").toLongLong(), response.body.size());

    RowList sink;
    try {
        address.source->extract(ProgramText(response.body), sink);
        EXPECT_EQ(address.outcome, Outcome::Rows);
        ExpectCleanRows(sink, address.artistColumn);
    } catch (const Failure& failure) {
        EXPECT_EQ(address.outcome, Outcome::InvalidArgument) << failure.description();
        EXPECT_EQ(failure.number(), Failure::invalidArgument().number());
        EXPECT_TRUE(sink.rows.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDropDownItem, ProgramAddressTest,
                         ::testing::ValuesIn(ProgramAddresses()),
                         [](const auto& info) { return info.param.name; });

class RequestFormTest : public SampleServerTest, public ::testing::WithParamInterface<const char*>
{
};

TEST_P(RequestFormTest, ProxyAndOriginFormsGiveTheSamePage)
{
    const QByteArray path = GetParam();
    const Response origin = Get(path);
    const Response proxy = Get("http://www.example.com" + path);
    const Response proxyWithPort = Get("HTTP://127.0.0.1:8080" + path);
    ASSERT_EQ(origin.status, 200);
    EXPECT_EQ(proxy.status, 200);
    EXPECT_TRUE(proxy.body == origin.body);
    EXPECT_TRUE(proxyWithPort.body == origin.body);
}

INSTANTIATE_TEST_SUITE_P(SomePages, RequestFormTest,
                         ::testing::Values("/krockmusic/", "/music/topgen.html/genre=jazz",
                                           "/music/toptracks.html/genre=urban",
                                           "/bb/charts/hot100.jsp", "/music/playlist.aspx",
                                           "/vb/vandrel/index.asp", "/vb/vandrel/"));

TEST_F(SampleServerTest, AnswersErrorsForWhatItDoesNotServe)
{
    EXPECT_EQ(Get("/no/such/page.html").status, 404);
    EXPECT_EQ(Get("/").status, 404);
    EXPECT_EQ(Get("/krockmusic").status, 404);
    EXPECT_EQ(Get("http://www.krock.com").status, 404);

    const Response post = Exchange(server.port(), "POST /krockmusic/ HTTP/1.1\r\n\r\n");
    EXPECT_EQ(post.status, 405);
    EXPECT_EQ(Header(post, "Allow"), "GET");

    for (const QByteArray& request :
         {QByteArray("HELLO\r\n\r\n"), QByteArray("GET /krockmusic/\r\n\r\n"),
          QByteArray("GET ftp://host/krockmusic/ HTTP/1.1\r\n\r\n"),
          QByteArray("GET  /krockmusic/ HTTP/1.1\r\n\r\n")})
        EXPECT_EQ(Exchange(server.port(), request).status, 400) << request.toStdString();
}

TEST_F(SampleServerTest, AcceptsAHeadEndingInBareLineFeeds)
{
    EXPECT_EQ(Exchange(server.port(), "GET /krockmusic/ HTTP/1.0\n\n").status, 200);
}

TEST_F(SampleServerTest, ClosesOnARequestHeadThatNeverEnds)
{
    const QByteArray endless = "GET /krockmusic/ HTTP/1.1\r\nX-Filler: " + QByteArray(70000, 'a');
    const Response response = Exchange(server.port(), endless);
    EXPECT_EQ(response.status, 0);
}

TEST_F(SampleServerTest, ReportsEveryRequest)
{
    QSignalSpy answered(&server, &SampleServer::answered);
    const Response page = Get("http://www.hot97.com/music/playlist.aspx");
    Get("/nothing");
    ASSERT_EQ(answered.count(), 2);
    EXPECT_EQ(answered[0],
              (QList<QVariant>{QStringLiteral("GET"),
                               QStringLiteral("http://www.hot97.com/music/playlist.aspx"), 200,
                               static_cast<qint64>(page.body.size())}));
    EXPECT_EQ(answered[1][2].toInt(), 404);
}

TEST_F(SampleServerTest, TricklesTheSlowChart)
{
    const Response response = Get(QByteArray("/bb/charts/airplay/") + SlowChart.data() + ".jsp");
    ASSERT_EQ(response.status, 200);
    EXPECT_GT(response.pieces, 4);
    EXPECT_TRUE(response.body.toStdString() == FindPage("/bb/charts/airplay/rap.jsp")->body);
}

TEST_F(SampleServerTest, SendsTheWholePageWhenPacedAndDelayed)
{
    server.setRate(400'000);
    server.setDelay(20ms);
    const Response response = Get("/music/playlist.aspx");
    ASSERT_EQ(response.status, 200);
    EXPECT_TRUE(response.body.toStdString() == FindPage("/music/playlist.aspx")->body);
}

TEST_F(SampleServerTest, VersionPageCarriesANewerVersionBetweenItsMarkers)
{
    const Response response = Get("http://vandrel.example.org/vb/vandrel/index.asp");
    ASSERT_EQ(response.status, 200);
    EXPECT_EQ(Parse(ProgramText(response.body), u"<!-- Version -->", 2), u"0.2.0");
    EXPECT_EQ(Get("http://vandrel.example.org/vb/vandrel/").status, 200);
}

TEST(SamplePagesTest, EveryPageIsBetween20And60KB)
{
    const auto pages = AllPages();
    EXPECT_EQ(pages.size(), 4u + 18u + 12u + 11u);
    for (const auto& [path, body] : pages) {
        EXPECT_GE(body.size(), 20u * 1024) << path;
        EXPECT_LE(body.size(), 60u * 1024) << path;
    }
}

TEST(SamplePagesTest, AreTheSameEveryTime)
{
    EXPECT_TRUE(AllPages() == AllPages());
}

TEST(SamplePagesTest, MixLineEndsAndUseTheEntitiesOfTheirDay)
{
    int crlfPages = 0;
    int lfPages = 0;
    std::string everything;
    for (const auto& [path, body] : AllPages()) {
        (body.find('\r') == std::string::npos ? lfPages : crlfPages) += 1;
        everything += body;
    }
    EXPECT_GT(crlfPages, 0);
    EXPECT_GT(lfPages, 0);
    for (const char* text : {"&amp;", "&nbsp;", "&#39;", "é", "ñ", "ü"})
        EXPECT_NE(everything.find(text), std::string::npos) << text;
}

// The server as the demo starts it, with the options of one test case.
struct Options
{
    QStringList arguments;
};

void PrintTo(const Options& options, std::ostream* out)
{
    *out << options.arguments.join(u' ').toStdString();
}

class ServerProgramTest : public ::testing::TestWithParam<Options>
{
};

TEST_P(ServerProgramTest, RejectsBadOptionsWithExitCode2)
{
    QProcess server;
    server.start(QStringLiteral(VANDREL_SAMPLE_SERVER), GetParam().arguments);
    ASSERT_TRUE(server.waitForFinished(30000));
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 2);
    EXPECT_TRUE(server.readAllStandardError().contains("--help"));
}

INSTANTIATE_TEST_SUITE_P(BadOptions, ServerProgramTest,
                         ::testing::Values(Options{{"--bogus"}}, Options{{"--port"}},
                                           Options{{"--port", "abc"}}, Options{{"--port=70000"}},
                                           Options{{"--port=-1"}}, Options{{"--delay-ms", "soon"}},
                                           Options{{"--rate", "1.5"}}, Options{{"--rate=-100"}},
                                           Options{{"extra"}}));

TEST(ServerProgram, PrintsItsHelp)
{
    QProcess server;
    server.start(QStringLiteral(VANDREL_SAMPLE_SERVER), {QStringLiteral("--help")});
    ASSERT_TRUE(server.waitForFinished(30000));
    EXPECT_EQ(server.exitCode(), 0);
    const QByteArray help = server.readAllStandardOutput();
    for (const char* option : {"--port", "--delay-ms", "--rate", "--help"})
        EXPECT_TRUE(help.contains(option)) << option;
}

TEST(ServerProgram, PrintsThePortItPickedAndServesOnIt)
{
    QProcess server;
    server.start(QStringLiteral(VANDREL_SAMPLE_SERVER),
                 {QStringLiteral("--port"), QStringLiteral("0")});
    ASSERT_TRUE(server.waitForReadyRead(30000));
    const QString line = QString::fromUtf8(server.readLine()).trimmed();
    const auto match =
        QRegularExpression(QStringLiteral("^Listening on http://127\\.0\\.0\\.1:(\\d+)/$"))
            .match(line);
    ASSERT_TRUE(match.hasMatch()) << line.toStdString();
    const auto port = static_cast<quint16>(match.captured(1).toUInt());
    EXPECT_EQ(Exchange(port, GetRequest("/vb/vandrel/")).status, 200);
    server.kill();
    server.waitForFinished(30000);
    EXPECT_TRUE(server.readAllStandardError().contains("GET /vb/vandrel/ 200"));
}

} // namespace
} // namespace vandrel::sample
