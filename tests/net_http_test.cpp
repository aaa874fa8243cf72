#include "net/CurlTransfer.h"
#include "net/PageRequest.h"
#include "support/LoopbackServer.h"
#include "text/failure.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <functional>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

using test::LoopbackServer;
using Reply = LoopbackServer::Reply;

// A real transfer driven as the window drives it, recording the states it reports and what
// the user gets: the page, the error text of state 11 or the refusal of Execute.
struct Client
{
    explicit Client(int idleTimeoutMs = 10000, int deadlineMs = 120000)
        : transfer(nullptr, idleTimeoutMs, CurlTransfer::defaultBodyCap, deadlineMs)
    {
        QObject::connect(&transfer, &TransferControl::StateChanged, [this](int state) {
            states.append(state);
            EXPECT_TRUE(transfer.StillExecuting());
            if (state == 11)
                outcome = QStringLiteral("Error %1 ").arg(transfer.ResponseCode()) +
                          transfer.ResponseInfo();
            for (QString chunk; state == 12 && !(chunk = transfer.GetChunk(1024)).isEmpty();)
                outcome += chunk;
        });
    }

    QString get(const QString& url)
    {
        states.clear();
        outcome.clear();
        try {
            transfer.Execute(url, operation, PageRequest::RequestHeaders(url));
        } catch (const Failure& failure) {
            return QStringLiteral("Refused %1 ").arg(failure.number()) +
                   QString::fromStdString(failure.description());
        }
        while (transfer.StillExecuting())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return outcome;
    }

    CurlTransfer transfer;
    QString operation = QStringLiteral("GET");
    QList<int> states;
    QString outcome;
};

using Prepare = std::function<QString(LoopbackServer&, Client&)>;

Prepare serving(const Reply& reply)
{
    return [reply](LoopbackServer& server, Client&) {
        server.setReply(reply);
        return server.url();
    };
}

Prepare address(const QString& url)
{
    return [url](LoopbackServer&, Client&) { return url; };
}

struct StateCase
{
    const char* name;
    Prepare prepare; // serves the case and gives the address to get
    QList<int> states;
    QString outcome;
    int idleTimeoutMs = 10000;
    int deadlineMs = 120000;
};

class HttpStates : public ::testing::TestWithParam<StateCase>
{
};

TEST_P(HttpStates, EachStateAtItsMoment)
{
    const StateCase& c = GetParam();
    LoopbackServer server;
    Client client(c.idleTimeoutMs, c.deadlineMs);
    const QString url = c.prepare(server, client);
    EXPECT_EQ(client.get(url), c.outcome);
    EXPECT_EQ(client.states, c.states);
}

const QList<int> completed{1, 2, 3, 4, 5, 6, 7, 8, 12};
const QList<int> failedAfterTheHead{1, 2, 3, 4, 5, 6, 7, 8, 11};
const QByteArray page = "<html>" + QByteArray(5000, 'z') + "</html>";
const QByteArray partialBody = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789";
const QString malformed = QStringLiteral("Refused 1003 URL is malformed");

INSTANTIATE_TEST_SUITE_P(
    Requests, HttpStates,
    ::testing::Values(
        StateCase{"Completed", serving(LoopbackServer::ok(page)), completed, page},
        StateCase{"Deflated",
                  serving(LoopbackServer::ok(LoopbackServer::deflate(page),
                                             {"Content-Encoding: deflate"})),
                  completed, page},
        StateCase{"Redirected",
                  [](LoopbackServer& server, Client&) {
                      server.setReply("/old", {LoopbackServer::response("301 Moved Permanently",
                                                                        {"Location: /new"})});
                      server.setReply("/new", LoopbackServer::ok("moved here"));
                      return server.url(QStringLiteral("/old"));
                  },
                  completed, "moved here"},
        StateCase{"ReusedConnection",
                  [](LoopbackServer& server, Client& client) {
                      server.setReply(
                          {.bytes = LoopbackServer::ok("kept").bytes, .closeAfter = false});
                      client.get(server.url());
                      return server.url();
                  },
                  {1, 4, 5, 6, 7, 8, 12},
                  "kept"},
        StateCase{"ConnectionRefused",
                  address(QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::closedPort())),
                  {1, 2, 3, 11},
                  "Error 1 Connection refused"},
        StateCase{"HostNotFound",
                  address(QStringLiteral("http://nohost.invalid/")),
                  {1, 11},
                  "Error 3 Host not found"},
        StateCase{"NotFound",
                  serving({LoopbackServer::response("404 Not Found", {"Content-Length: 2"}, "no")}),
                  failedAfterTheHead, "Error 404 Not Found"},
        StateCase{"BadRequest",
                  serving({LoopbackServer::response("400 Bad Request (Invalid Header Name)",
                                                    {"Content-Length: 0"})}),
                  failedAfterTheHead, "Error 400 Bad Request (Invalid Header Name)"},
        StateCase{"StalledBeforeAnswering",
                  serving({.stallAfter = 0}),
                  {1, 2, 3, 4, 5, 6, 11},
                  "Error 4 Timed out",
                  300},
        StateCase{"TrickleOutlastingTheDeadline",
                  serving({.bytes = partialBody, .trickleFrom = 45, .trickleMs = 200}),
                  {1, 2, 3, 4, 5, 6, 7, 11},
                  "Error 4 Timed out",
                  10000,
                  1000},
        StateCase{"WhileExecuting",
                  [](LoopbackServer& server, Client& client) {
                      server.setReply({.stallAfter = 0});
                      client.transfer.Execute(server.url(), QStringLiteral("GET"), {});
                      return server.url();
                  },
                  {},
                  "Refused 1001 Still executing last request"},
        StateCase{"NotGet",
                  [](LoopbackServer& server, Client& client) {
                      client.operation = QStringLiteral("POST");
                      return server.url();
                  },
                  {},
                  "Refused 1002 Only GET is supported"},
        StateCase{"OtherScheme", address(QStringLiteral("ftp://127.0.0.1/")), {}, malformed},
        StateCase{"Relative", address(QStringLiteral("/music/playlist.aspx")), {}, malformed},
        StateCase{"NoHost", address(QStringLiteral("http:///path")), {}, malformed},
        StateCase{"Empty", address({}), {}, malformed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpTransfer, ProxyFromTheEnvironmentUnlessBypassed)
{
    LoopbackServer proxy, origin;
    proxy.setReply(LoopbackServer::ok("by proxy"));
    origin.setReply(LoopbackServer::ok("direct"));
    const QString url = origin.url(QStringLiteral("/music/topgen.html/genre=rock?x=1"));
    Client client;
    qputenv("http_proxy", proxy.url().toLatin1());
    EXPECT_EQ(client.get(url), "by proxy");
    qputenv("no_proxy", "127.0.0.1");
    EXPECT_EQ(client.get(url), "direct");
    qunsetenv("http_proxy");
    qunsetenv("no_proxy");

    ASSERT_EQ(proxy.requests().size(), 1);
    EXPECT_TRUE(proxy.requests()[0].startsWith("GET " + url.toLatin1() + " HTTP/1.1\r\n"));
    ASSERT_EQ(origin.requests().size(), 1);
    const QByteArray request = origin.requests()[0];
    EXPECT_TRUE(request.startsWith("GET /music/topgen.html/genre=rock?x=1 HTTP/1.1\r\n"));
    for (const QByteArray& field : QByteArrayList{
             "Referer: " + url.toLatin1(), "Content-Type: application/x-www-form-urlencoded",
             "User-Agent: ZizerIde (compatible; MSIE 4.01; Windows 98)"})
        EXPECT_EQ(request.count("\r\n" + field + "\r\n"), 1) << field.constData();
}

TEST(HttpTransfer, ProgressRisesAsTheBodyArrives)
{
    LoopbackServer server;
    const QByteArray bytes = LoopbackServer::ok(page).bytes;
    server.setReply({.bytes = bytes, .trickleFrom = bytes.size() - 3, .trickleMs = 20});
    Client client;
    QSignalSpy progress(&client.transfer, &TransferControl::Progress);
    client.get(server.url());

    ASSERT_GE(progress.size(), 4);
    for (qsizetype i = 1; i < progress.size(); ++i)
        EXPECT_GT(progress[i][0].toLongLong(), progress[i - 1][0].toLongLong());
    EXPECT_EQ(progress.last(), (QVariantList{qint64(page.size()), qint64(page.size())}));
}

} // namespace
} // namespace vandrel
