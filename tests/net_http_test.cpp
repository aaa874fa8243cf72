#include "net/CurlTransfer.h"
#include "net/PageRequest.h"
#include "support/LoopbackServer.h"
#include "text/failure.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

using test::LoopbackServer;
using Reply = LoopbackServer::Reply;

// One request on a real transfer, driven as the window drives it: the states it reported,
// then the page read in state 12, the error text of state 11 or the refusal of Execute.
std::string get(CurlTransfer& transfer, const QString& url, const QString& operation = "GET")
{
    QStringList states;
    QString page;
    const QObject scope;
    QObject::connect(&transfer, &TransferControl::StateChanged, &scope, [&](int state) {
        states << QString::number(state);
        EXPECT_TRUE(transfer.StillExecuting());
        for (QString chunk; state == 12 && !(chunk = transfer.GetChunk(1024)).isEmpty();)
            page += chunk;
    });
    try {
        transfer.Execute(url, operation, PageRequest::RequestHeaders(url));
    } catch (const Failure& failure) {
        return "Refused " + std::to_string(failure.number()) + ' ' + failure.description();
    }
    while (transfer.StillExecuting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (states.endsWith(QStringLiteral("11")))
        page = QStringLiteral("Error %1 ").arg(transfer.ResponseCode()) + transfer.ResponseInfo();
    return (states.join(QLatin1Char(' ')) + QStringLiteral(": ") + page).toStdString();
}

const QByteArray page = "<html>" + QByteArray(5000, 'z') + "</html>";

TEST(HttpTransfer, EachStateAtItsMoment)
{
    LoopbackServer server;
    server.setReply("/old", {"HTTP/1.1 301 Moved Permanently\r\nLocation: /new\r\n\r\n"});
    server.setReply("/new", LoopbackServer::ok("moved here"));
    const QByteArray partial = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789";
    const Reply none, stalled{.stallAfter = 0};
    const Reply deflated =
        LoopbackServer::ok(LoopbackServer::deflate(page), {"Content-Encoding: deflate"});
    // A kept connection: the case's request is the second on it.
    const Reply kept{.bytes = LoopbackServer::ok("kept").bytes, .closeAfter = false};
    const Reply notFound{"HTTP/1.1 404 Not Found\r\nContent-Length: 2\r\n\r\nno"};
    const Reply badRequest{"HTTP/1.1 400 Bad Request (Invalid Header Name)\r\n\r\n"};
    const Reply trickle{.bytes = partial, .endlessPiece = "x", .trickleMs = 200};
    const QString refused =
        QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::closedPort());
    const struct
    {
        const char* name;
        Reply reply;
        QString url; // the server's own when empty
        QString outcome;
        int idleTimeoutMs = 10000;
        int deadlineMs = 120000;
    } cases[] = {
        {"Completed", LoopbackServer::ok(page), "", "1 2 3 4 5 6 7 8 12: " + page},
        {"Deflated", deflated, "", "1 2 3 4 5 6 7 8 12: " + page},
        {"Redirected", none, server.url("/old"), "1 2 3 4 5 6 7 8 12: moved here"},
        {"ReusedConnection", kept, "", "1 4 5 6 7 8 12: kept"},
        {"ConnectionRefused", none, refused, "1 2 3 11: Error 1 Connection refused"},
        {"HostNotFound", none, "http://nohost.invalid/", "1 11: Error 3 Host not found"},
        {"NotFound", notFound, "", "1 2 3 4 5 6 7 8 11: Error 404 Not Found"},
        {"BadRequest", badRequest, "",
         "1 2 3 4 5 6 7 8 11: Error 400 Bad Request (Invalid Header Name)"},
        {"Stalled", stalled, "", "1 2 3 4 5 6 11: Error 4 Timed out", 300},
        {"PastTheDeadline", trickle, "", "1 2 3 4 5 6 7 11: Error 4 Timed out", 10000, 1000},
    };
    for (const auto& c : cases) {
        server.setReply(c.reply);
        CurlTransfer transfer(nullptr, c.idleTimeoutMs, CurlTransfer::defaultBodyCap, c.deadlineMs);
        const QString url = c.url.isEmpty() ? server.url() : c.url;
        if (!c.reply.closeAfter)
            get(transfer, url);
        EXPECT_EQ(get(transfer, url), c.outcome.toStdString()) << c.name;
    }
}

TEST(HttpTransfer, ExecuteRefusesWhatItCannotStart)
{
    LoopbackServer silent;
    silent.setReply({.stallAfter = 0});
    CurlTransfer idle, busy;
    busy.Execute(silent.url(), QStringLiteral("GET"), {});
    EXPECT_EQ(get(busy, silent.url()), "Refused 1001 Still executing last request");
    EXPECT_EQ(get(idle, silent.url(), "POST"), "Refused 1002 Only GET is supported");
    for (const char* url : {"ftp://127.0.0.1/", "/music/playlist.aspx", "http:///path", ""})
        EXPECT_EQ(get(idle, QLatin1String(url)), "Refused 1003 URL is malformed") << url;
    EXPECT_TRUE(busy.StillExecuting());
    EXPECT_FALSE(idle.StillExecuting());
}

TEST(HttpTransfer, ProxyFromTheEnvironmentUnlessBypassed)
{
    LoopbackServer proxy, origin;
    proxy.setReply(LoopbackServer::ok("by proxy"));
    origin.setReply(LoopbackServer::ok("direct"));
    const QString url = origin.url(QStringLiteral("/music/topgen.html/genre=rock?x=1"));
    const auto restore = qScopeGuard([] { qunsetenv("http_proxy"), qunsetenv("no_proxy"); });
    CurlTransfer transfer;
    qputenv("http_proxy", proxy.url().toLatin1());
    EXPECT_TRUE(get(transfer, url).ends_with(": by proxy"));
    qputenv("no_proxy", "127.0.0.1");
    EXPECT_TRUE(get(transfer, url).ends_with(": direct"));

    EXPECT_TRUE(proxy.requests().value(0).startsWith("GET " + url.toLatin1() + " HTTP/1.1\r\n"));
    const QByteArray host = "127.0.0.1:" + QByteArray::number(origin.port());
    const QByteArray path = "/music/topgen.html/genre=rock?x=1";
    EXPECT_EQ(origin.requests().value(0),
              "GET " + path + " HTTP/1.1\r\nHost: " + host +
                  "\r\nAccept: */*\r\nAccept-Encoding: gzip, deflate\r\nReferer: http://" + host +
                  path +
                  "\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                  "User-Agent: ZizerIde (compatible; MSIE 4.01; Windows 98)\r\n\r\n");
}

TEST(HttpTransfer, ProgressRisesAsTheBodyArrives)
{
    LoopbackServer server;
    const QByteArray bytes = LoopbackServer::ok(page).bytes;
    server.setReply({.bytes = bytes.chopped(3), .endlessPiece = "z", .trickleMs = 20});
    CurlTransfer transfer;
    QSignalSpy progress(&transfer, &TransferControl::Progress);
    get(transfer, server.url());

    ASSERT_GE(progress.size(), 4);
    for (qsizetype i = 1; i < progress.size(); ++i)
        EXPECT_GT(progress[i][0].toLongLong(), progress[i - 1][0].toLongLong());
    EXPECT_EQ(progress.last(), (QVariantList{qint64(page.size()), qint64(page.size())}));
}

} // namespace
} // namespace vandrel
