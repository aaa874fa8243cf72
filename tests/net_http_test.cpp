#include "net/HttpTransfer.h"
#include "net/PageRequest.h"
#include "support/LoopbackServer.h"
#include "text/failure.h"

#include <QLabel>
#include <functional>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

using test::LoopbackServer;

const QList<int> completed{1, 2, 3, 4, 5, 6, 7, 8, 12};

// The window's retrieval chain on a real transfer, recording the states it reports.
struct Client
{
    explicit Client(int idleTimeoutMs = 10000, qint64 bodyCap = HttpTransfer::defaultBodyCap,
                    int deadlineMs = 120000)
        : transfer(nullptr, idleTimeoutMs, bodyCap, deadlineMs)
    {
        QObject::connect(&transfer, &TransferControl::StateChanged,
                         [this](int state) { states.append(state); });
        QObject::connect(&monitor, &TransferMonitor::StatusChanged, &status, &QLabel::setText);
    }

    QString get(const QString& url)
    {
        states.clear();
        return request.GetURL(url);
    }

    HttpTransfer transfer;
    QLabel status;
    TransferMonitor monitor{transfer};
    PageRequest request{transfer, monitor};
    QList<int> states;
};

LoopbackServer::Reply ok(const QByteArray& body, QByteArrayList headers = {})
{
    headers.prepend("Content-Length: " + QByteArray::number(body.size()));
    return {LoopbackServer::response("200 OK", headers, body)};
}

TEST(HttpTransferTest, RequestLineAndHeadersArriveExactly)
{
    LoopbackServer server;
    server.setReply(ok("fine"));
    Client client;
    const QString url = server.url(QStringLiteral("/music/topgen.html/genre=rock?x=1"));

    client.get(url);

    ASSERT_EQ(server.requests().size(), 1);
    const QByteArray request = server.requests().front();
    EXPECT_TRUE(request.startsWith("GET /music/topgen.html/genre=rock?x=1 HTTP/1.1\r\n"));
    EXPECT_TRUE(request.contains("\r\nReferer: " + url.toLatin1() + "\r\n"));
    EXPECT_TRUE(request.contains("\r\nContent-Type: application/x-www-form-urlencoded\r\n"));
    EXPECT_TRUE(
        request.contains("\r\nUser-Agent: ZizerIde (compatible; MSIE 4.01; Windows 98)\r\n"));
    EXPECT_EQ(request.count("User-Agent:"), 1);
    EXPECT_EQ(request.count("Referer:"), 1);
}

TEST(HttpTransferTest, CompleteResponseFillsThePage)
{
    LoopbackServer server;
    const QByteArray body = QByteArray(2500, 'x');
    server.setReply(ok(body, {"Content-Type: text/html"}));
    Client client;

    EXPECT_EQ(client.get(server.url()), QString::fromLatin1(body));

    EXPECT_EQ(client.monitor.PageSize(), 2500);
    EXPECT_EQ(client.status.text(), QStringLiteral("2KB/2KB\r\n100") +
                                        QLocale::system().decimalPoint() + QStringLiteral("0%"));
    EXPECT_EQ(client.states, completed);
    EXPECT_TRUE(client.request.lastRequestSucceeded());
    EXPECT_FALSE(client.transfer.StillExecuting());
}

TEST(HttpTransferTest, ChunkedBodyWithoutLengthShowsUnknownSize)
{
    LoopbackServer server;
    const QByteArrayList pieces = {QByteArray(1500, 'a'), QByteArray(700, 'b')};
    server.setReply({LoopbackServer::response("200 OK", {"Transfer-Encoding: chunked"},
                                              LoopbackServer::chunked(pieces))});
    Client client;

    EXPECT_EQ(client.get(server.url()), QString::fromLatin1(pieces.join()));

    EXPECT_EQ(client.monitor.PageSize(), 0);
    EXPECT_EQ(client.status.text(),
              QStringLiteral("2KB/?\r\n(The server did not tell me the size.)"));
}

TEST(HttpTransferTest, EmptyBodyWritesNoProgress)
{
    LoopbackServer server;
    server.setReply(ok({}));
    Client client;

    EXPECT_TRUE(client.get(server.url()).isEmpty());

    EXPECT_EQ(client.status.text(), QStringLiteral("Chatting with Host..."));
    EXPECT_EQ(client.states, completed);
    EXPECT_TRUE(client.request.lastRequestSucceeded());
}

TEST(HttpTransferTest, NotFoundAfterAPageLeavesNoPage)
{
    LoopbackServer server;
    // The server closes after each reply and says so, so the second request connects anew.
    server.setReply("/page", ok("a page", {"Connection: close"}));
    server.setReply(
        "/gone", {LoopbackServer::response("404 Not Found", {"Content-Length: 9"}, "not here!")});
    Client client;
    ASSERT_EQ(client.get(server.url(QStringLiteral("/page"))), QStringLiteral("a page"));

    EXPECT_TRUE(client.get(server.url(QStringLiteral("/gone"))).isEmpty());

    EXPECT_EQ(client.status.text(), QStringLiteral("Error 404 Not Found"));
    EXPECT_EQ(client.states, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 11}));
    EXPECT_FALSE(client.request.lastRequestSucceeded());
}

TEST(HttpTransferTest, ReusedConnectionReportsNoConnecting)
{
    LoopbackServer server;
    LoopbackServer::Reply reply = ok("kept alive");
    reply.closeAfter = false;
    server.setReply(reply);
    Client client;
    ASSERT_EQ(client.get(server.url()), QStringLiteral("kept alive"));

    EXPECT_EQ(client.get(server.url()), QStringLiteral("kept alive"));

    EXPECT_EQ(client.states, (QList<int>{1, 4, 5, 6, 7, 8, 12}));
}

struct FailureCase
{
    const char* name;
    std::function<QString(LoopbackServer&)> prepare;
    QString status;
    QList<int> states;
    int idleTimeoutMs = 10000;
    qint64 bodyCap = HttpTransfer::defaultBodyCap;
    int deadlineMs = 120000;
};

class HttpFailure : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(HttpFailure, EndsWithStateElevenAndNoPage)
{
    const FailureCase& c = GetParam();
    LoopbackServer server;
    Client client(c.idleTimeoutMs, c.bodyCap, c.deadlineMs);

    EXPECT_TRUE(client.get(c.prepare(server)).isEmpty());

    EXPECT_EQ(client.status.text(), c.status);
    EXPECT_EQ(client.states, c.states);
    EXPECT_FALSE(client.request.lastRequestSucceeded());
    EXPECT_FALSE(client.transfer.StillExecuting());
}

// Serves `reply` for every path and hands back the server's root address.
std::function<QString(LoopbackServer&)> serving(const LoopbackServer::Reply& reply)
{
    return [reply](LoopbackServer& server) {
        server.setReply(reply);
        return server.url();
    };
}

QString statusFor(int code, const char* info)
{
    return QStringLiteral("Error %1 %2").arg(code).arg(QLatin1String(info));
}

const QList<int> failedInResponse{1, 2, 3, 4, 5, 6, 7, 11};
const QByteArray partialHeader = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789";

INSTANTIATE_TEST_SUITE_P(
    Cases, HttpFailure,
    ::testing::Values(
        FailureCase{"ReasonPhraseKeptExactly",
                    serving({LoopbackServer::response("503 Service Temporarily Unavailable",
                                                      {"Content-Length: 4"}, "busy")}),
                    "Error 503 Service Temporarily Unavailable",
                    {1, 2, 3, 4, 5, 6, 7, 8, 11}},
        FailureCase{
            "ConnectionRefused",
            [](LoopbackServer&) {
                return QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::closedPort());
            },
            statusFor(QNetworkReply::ConnectionRefusedError, "Connection refused"),
            {1, 2, 3, 11}},
        FailureCase{"HostNotFound",
                    [](LoopbackServer&) { return QStringLiteral("http://nohost.invalid/"); },
                    statusFor(QNetworkReply::HostNotFoundError, "Host not found"),
                    {1, 11}},
        FailureCase{"StalledBeforeAnswering",
                    serving({"HTTP/1.1 200 OK\r\n", 0, 0}),
                    statusFor(QNetworkReply::TimeoutError, "Timed out"),
                    {1, 2, 3, 4, 5, 6, 11},
                    300},
        FailureCase{"StalledInTheBody", serving({partialHeader, 0, partialHeader.size()}),
                    statusFor(QNetworkReply::TimeoutError, "Timed out"), failedInResponse, 300},
        FailureCase{
            "ClosedInTheBody", serving({partialHeader}),
            statusFor(QNetworkReply::RemoteHostClosedError, "Connection closed by the server"),
            failedInResponse},
        FailureCase{"BodyOverTheCap", serving(ok(QByteArray(20000, 'x'))),
                    statusFor(QNetworkReply::UnknownContentError, "Response too large"),
                    failedInResponse, 10000, 10000},
        FailureCase{"ChunkedBodyOverTheCap",
                    serving({LoopbackServer::response(
                        "200 OK", {"Transfer-Encoding: chunked"},
                        LoopbackServer::chunked(QByteArrayList(20, QByteArray(1000, 'x'))))}),
                    statusFor(QNetworkReply::UnknownContentError, "Response too large"),
                    failedInResponse, 10000, 10000},
        FailureCase{
            "CompressedBodyExpandingOverTheCap",
            serving(ok(LoopbackServer::gzip(QByteArray(100000, 'x')), {"Content-Encoding: gzip"})),
            statusFor(QNetworkReply::UnknownContentError, "Response too large"), failedInResponse,
            10000, 10000},
        FailureCase{"TrickleOutlastingTheDeadline",
                    serving({.bytes = partialHeader,
                             .trickleFrom = partialHeader.size() - 10,
                             .trickleMs = 200}),
                    statusFor(QNetworkReply::TimeoutError, "Timed out"), failedInResponse, 10000,
                    HttpTransfer::defaultBodyCap, 1000},
        FailureCase{"EndlessRedirects",
                    serving({LoopbackServer::response("302 Found",
                                                      {"Location: /again", "Content-Length: 0"})}),
                    statusFor(QNetworkReply::TooManyRedirectsError, "Too many redirects"),
                    failedInResponse}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpTransferTest, RedirectIsFollowed)
{
    LoopbackServer server;
    server.setReply("/old", {LoopbackServer::response("301 Moved Permanently",
                                                      {"Location: /new", "Content-Length: 0"})});
    server.setReply("/new", ok("moved here"));
    Client client;

    EXPECT_EQ(client.get(server.url(QStringLiteral("/old"))), QStringLiteral("moved here"));

    ASSERT_EQ(server.requests().size(), 2);
    EXPECT_TRUE(server.requests()[1].startsWith("GET /new HTTP/1.1\r\n"));
    EXPECT_EQ(client.states, completed);
}

TEST(HttpTransferTest, GzipBodyIsDecoded)
{
    LoopbackServer server;
    const QByteArray page = "<html>" + QByteArray(5000, 'z') + "</html>";
    server.setReply(ok(LoopbackServer::gzip(page), {"Content-Encoding: gzip"}));
    Client client;

    EXPECT_EQ(client.get(server.url()), QString::fromLatin1(page));
}

struct TextCase
{
    const char* name;
    QByteArray contentType;
    QByteArray body;
    QString page;
};

class HttpText : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(HttpText, ComesOutAsTheServerMeantIt)
{
    LoopbackServer server;
    server.setReply(ok(GetParam().body, {"Content-Type: " + GetParam().contentType}));
    Client client;
    EXPECT_EQ(client.get(server.url()), GetParam().page);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, HttpText,
    ::testing::Values(
        TextCase{"Utf8AcrossThePieceBoundary", "text/html; charset=utf-8",
                 QByteArray(1023, 'a') + "\xc3\xa9" + QByteArray(1500, 'b'),
                 QString(1023, QLatin1Char('a')) + QChar(0xe9) + QString(1500, QLatin1Char('b'))},
        TextCase{"Windows1252Page", "text/html; charset=iso-8859-1", "\x93Hits\x94 caf\xe9",
                 QStringLiteral("\u201cHits\u201d caf\u00e9")},
        TextCase{"AmpEntityOnce", "text/html", "R&amp;amp;B &amp; more",
                 QStringLiteral("R&amp;B & more")}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusalCase
{
    const char* name;
    QString url;
    QString operation;
    int number;
};

class HttpRefusal : public ::testing::TestWithParam<RefusalCase>
{
};

TEST_P(HttpRefusal, ExecuteThrowsAndStaysIdle)
{
    HttpTransfer transfer;
    try {
        transfer.Execute(GetParam().url, GetParam().operation, {});
        ADD_FAILURE() << "Execute accepted the request";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), GetParam().number);
        EXPECT_FALSE(failure.description().empty());
    }
    EXPECT_FALSE(transfer.StillExecuting());
}

INSTANTIATE_TEST_SUITE_P(
    Requests, HttpRefusal,
    ::testing::Values(
        RefusalCase{"OtherScheme", "ftp://127.0.0.1/", "GET", HttpTransfer::MalformedUrlError},
        RefusalCase{"Relative", "/music/playlist.aspx", "GET", HttpTransfer::MalformedUrlError},
        RefusalCase{"NoHost", "http:///path", "GET", HttpTransfer::MalformedUrlError},
        RefusalCase{"Empty", "", "GET", HttpTransfer::MalformedUrlError},
        RefusalCase{"NotGet", "http://127.0.0.1/", "POST",
                    HttpTransfer::UnsupportedOperationError}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpTransferTest, RefusesASecondRequestWhileExecuting)
{
    LoopbackServer server;
    server.setReply({{}, 0, 0});
    HttpTransfer transfer;
    transfer.Execute(server.url(), QStringLiteral("GET"), {});

    try {
        transfer.Execute(server.url(), QStringLiteral("GET"), {});
        ADD_FAILURE() << "Execute accepted a second request";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.number(), HttpTransfer::StillExecutingError);
    }
    EXPECT_TRUE(transfer.StillExecuting());
}

} // namespace
} // namespace vandrel
