// What the user sees on the status line: every stage painted before the next replaces it, and
// the kilobytes of a slow page as they arrive.
#include "app/frm_main.h"
#include "net/curl_transfer.h"
#include "support/fake_transfer.h"
#include "support/loopback_server.h"
#include "support/window_testing.h"

#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

// The window with the status line's text recorded at each paint, leaving out repeats.
struct Watched : QObject
{
    explicit Watched(TransferControl* transfer) : window(transfer)
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        test::control<QLabel>(window, QStringLiteral("lblStatus"))->installEventFilter(this);
    }
    bool eventFilter(QObject* label, QEvent* event) override
    {
        const auto* shown = event->type() == QEvent::Paint ? qobject_cast<QLabel*>(label) : nullptr;
        if (shown && (painted.isEmpty() || painted.last() != shown->text()))
            painted << shown->text();
        return false;
    }
    void get() { test::press(test::control(window, QStringLiteral("cmdGet"))); }

    frmMain window;
    QStringList painted;
};

TEST(StatusLine, PaintsEveryStageOfAGetBeforeTheNextReplacesIt)
{
    auto* transfer = new test::FakeTransfer;
    // States outside the table and those without a text of their own change nothing.
    transfer->states = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, -1, 12};
    transfer->body = {QString(1000, u'x'), QString(1000, u'y')};
    transfer->contentLength = QStringLiteral("2000");
    Watched watched(transfer);
    watched.get();

    const QString done = "2KB/2KB\r\n100" + QLocale::system().decimalPoint() + "0%";
    EXPECT_EQ(
        watched.painted,
        QStringList({"Downloading List...", "Looking up IP address of host computer...",
                     "IP address found.", "Attempting to connect to Host...", "Connected.",
                     "Making Request...", "Request sent.", "Chatting with Host...",
                     "Disconnecting...", "Disconnected.", "2KB", done, "2KB", done, "Parsing...",
                     // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one message, two lines
                     "An error occured while processing the list: Invalid procedure call "
                     "or argument.\r\nMake sure you have the latest version of this program."}));
}

// A page of 10,000 bytes that arrives in pieces of 500 over one second, announced or not.
class Trickle : public ::testing::TestWithParam<bool>
{
};

TEST_P(Trickle, ShowsTheArrivingKilobytesRisingBeforeTheBodyIsRead)
{
    test::LoopbackServer server;
    const QByteArray length = GetParam() ? "Content-Length: 10000" : "Connection: close";
    server.setReply({.bytes = test::LoopbackServer::response("200 OK", {length}),
                     .endlessPiece = QByteArray(500, 'x'),
                     .trickleMs = 50,
                     .pieces = 20});
    test::useProxy(server.port());
    Watched watched(new CurlTransfer);
    watched.get();
    qunsetenv("http_proxy");

    // Reading the body starts with the kilobytes alone; live texts come before.
    const QRegularExpression live(
        QStringLiteral("^(\\d+)KB/%1\r\n").arg(GetParam() ? "10KB" : "\\?"));
    QList<int> kilobytes;
    for (const QString& text : watched.painted.mid(
             0, watched.painted.indexOf(QRegularExpression(QStringLiteral("^\\d+KB$")))))
        if (const auto match = live.match(text); match.hasMatch())
            kilobytes << match.captured(1).toInt();
    ASSERT_GE(kilobytes.size(), 2) << watched.painted.join(u'|').toStdString();
    EXPECT_TRUE(std::is_sorted(kilobytes.begin(), kilobytes.end()));
    EXPECT_LT(kilobytes.first(), kilobytes.last());
}

INSTANTIATE_TEST_SUITE_P(Length, Trickle, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Announced" : "Unannounced"; });

} // namespace
} // namespace vandrel
