#include "net/curl_transfer.h"
#include "net/page_request.h"
#include "support/loopback_server.h"
#include "support/window_testing.h"
#include "text/failure.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

using test::LoopbackServer;
using Reply = LoopbackServer::Reply;

// One request on a real transfer, driven as the window drives it: the states it reported,
// then the page read once Completed, the error text once Failed, or the refusal of Execute.
std::string get(CurlTransfer& transfer, const QString& url, const QString& operation = "GET")
{
    QStringList states;
    QString page;
    const QObject scope;
    QObject::connect(&transfer, &TransferControl::StateChanged, &scope, [&](TransferState state) {
        states << QString::number(int(state));
        EXPECT_TRUE(transfer.StillExecuting());
        for (QString chunk;
             state == TransferState::Completed && !(chunk = transfer.GetChunk(1024)).isEmpty();)
            page += chunk;
    });
    try {
        transfer.Execute(url, operation, PageRequest::requestHeaders(url));
    } catch (const Failure& failure) {
        return "Refused " + std::to_string(failure.number()) + ' ' + failure.description();
    }
    while (transfer.StillExecuting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (states.endsWith(QStringLiteral("11")))
        page = QStringLiteral("Error %1 ").arg(transfer.ResponseCode()) + transfer.ResponseInfo();
    return (states.join(QLatin1Char(' ')) + QStringLiteral(": ") + page).toStdString();
}

const QByteArray Page = "<html>" + QByteArray(5000, 'z') + "</html>";

TEST(HttpTransfer, EachStateAtItsMoment)
{
    LoopbackServer server;
    const QByteArray partial = "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789";
    // On a kept connection the case's request is the second; a silent server keeps it too.
    const Reply none, silent{.closeAfter = false};
    const Reply kept{.bytes = LoopbackServer::ok("kept").bytes, .closeAfter = false};
    // Statuses from 400 on fail, those below do not.
    const Reply odd{LoopbackServer::response("399 Odd", {}, "odd")};
    const Reply bad{LoopbackServer::response("400 Bad", {})};
    const Reply trickle{.bytes = partial, .endlessPiece = "x", .trickleMs = 200};
    const QString refused =
        QStringLiteral("http://127.0.0.1:%1/").arg(LoopbackServer::closedPort());
    // Each case's reply, address (the server's own when empty), outcome and deadline; only the
    // idle time ends a stall before a deadline that no test outlives.
    const int never = 120000;
    const std::tuple<const char*, Reply, QString, QString, int> cases[] = {
        {"Completed", LoopbackServer::ok(Page), "", "1 2 3 4 5 6 7 8 12: " + Page, never},
        {"Status399", odd, "", "1 2 3 4 5 6 7 8 12: odd", never},
        {"Status400", bad, "", "1 2 3 4 5 6 7 8 11: Error 400 Bad", never},
        {"TenRedirects", LoopbackServer::ok("end"), server.url("/r10"), "1 2 3 4 5 6 7 8 12: end",
         never},
        {"ElevenRedirects", none, server.url("/r11"),
         "1 2 3 4 5 6 7 11: Error 10 Too many redirects", never},
        {"ReusedConnection", kept, "", "1 4 5 6 7 8 12: kept", never},
        {"ConnectionRefused", none, refused, "1 2 3 11: Error 1 Connection refused", never},
        {"HostNotFound", none, "http://nohost.invalid/", "1 11: Error 3 Host not found", never},
        {"Stalled", silent, "", "1 2 3 4 5 6 11: Error 4 Timed out", never},
        {"PastTheDeadline", trickle, "", "1 2 3 4 5 6 7 11: Error 4 Timed out", 1000},
    };
    for (const auto& [name, reply, address, outcome, deadlineMs] : cases) {
        server.setReply(reply);
        CurlTransfer transfer(nullptr, 1000, CurlTransfer::DefaultBodyCap, deadlineMs);
        const QString url = address.isEmpty() ? server.url() : address;
        if (!reply.closeAfter)
            get(transfer, url);
        EXPECT_EQ(get(transfer, url), outcome.toStdString()) << name;
    }
}

TEST(HttpTransfer, ExecuteRefusesWhatItCannotStart)
{
    LoopbackServer silent;
    silent.setReply({.closeAfter = false});
    CurlTransfer idle, busy;
    busy.Execute(silent.url(), QStringLiteral("GET"), {});
    EXPECT_EQ(get(busy, silent.url()), "Refused 1001 Still executing last request");
    EXPECT_EQ(get(idle, silent.url(), "POST"), "Refused 1002 Only GET is supported");
    for (const char* url : {"ftp://127.0.0.1/", "/music/playlist.aspx", "http:///path", ""})
        EXPECT_EQ(get(idle, QLatin1String(url)), "Refused 1003 URL is malformed") << url;
    EXPECT_TRUE(busy.StillExecuting());
    EXPECT_FALSE(idle.StillExecuting());
}

// The proxy of the environment listens nowhere, so only a request that bypasses it arrives.
TEST(HttpTransfer, HostsExemptFromTheProxyGetTheHeadDirectly)
{
    LoopbackServer origin;
    origin.setReply(LoopbackServer::ok("direct"));
    const QByteArray path = "/music/topgen.html/genre=rock?x=1";
    const QString url = origin.url(QString::fromLatin1(path));
    const auto restore = qScopeGuard([] { qunsetenv("http_proxy"), qunsetenv("no_proxy"); });
    test::useProxy(LoopbackServer::closedPort());
    qputenv("no_proxy", "127.0.0.1");
    CurlTransfer transfer;
    EXPECT_TRUE(get(transfer, url).ends_with(": direct"));

    const QByteArray host = "127.0.0.1:" + QByteArray::number(origin.port());
    EXPECT_EQ(origin.requests().value(0),
              "GET " + path + " HTTP/1.1\r\nHost: " + host +
                  "\r\nAccept: */*\r\nAccept-Encoding: gzip, deflate\r\nReferer: http://" + host +
                  path +
                  "\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                  "User-Agent: ZizerIde (compatible; MSIE 4.01; Windows 98)\r\n\r\n");
}

} // namespace
} // namespace vandrel
