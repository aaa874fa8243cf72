#include "app/frm_main.h"
#include "net/curl_transfer.h"
#include "sample/server/sample_server.h"
#include "support/loopback_server.h"
#include "support/window_testing.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTreeWidget>

namespace vandrel {
namespace {

using test::LoopbackServer;
using Reply = LoopbackServer::Reply;

// Short bounds keep the matrix fast; docs/robustness.md gives the program's own.
constexpr int IdleTimeoutMs = 2000;
constexpr qint64 BodyCap = 1024 * 1024;
constexpr int DeadlineMs = 10000;
// What a download may add to the peak memory besides the capped body: its copies as text,
// the extraction's working copies and the buffers on the way. A body or head read without
// bound exceeds it.
constexpr qint64 MemoryMargin = 32 * 1024 * 1024;

// A page of the first tab's airplay list with one row whose artist and song cells hold the given
// bytes; it ends in blank lines, so its last bytes can come one at a time.
Reply airplayPage(const QByteArray& artist, const QByteArray& song,
                  const QByteArrayList& headers = {})
{
    return LoopbackServer::ok("<!--END HEADER-->\n<table>\n<tr><th>This Week</th></tr>\n1\n2\n" +
                                  artist + "\n" + song + "\nAlbum\nLabel\n</table>\n\n\n",
                              headers);
}

// The same page of one row, filled up with line feeds to `size` bytes.
Reply airplayPageOf(qint64 size)
{
    const QByteArray response = airplayPage("Band", "Tune").bytes;
    const QByteArray body = response.mid(response.indexOf("\r\n\r\n") + 4);
    return LoopbackServer::ok(body + QByteArray(size - body.size(), '\n'));
}

Reply endless(const QByteArray& start, const QByteArray& piece)
{
    return {.bytes = start, .endlessPiece = piece.repeated(64 * 1024 / piece.size())};
}

struct HostileCase
{
    const char* name;
    int tab;
    Reply reply;
    QString status;        // a pattern for the whole status line
    QString firstRow = {}; // the cells of the one row expected, split at "|"; empty for no row
};

const QByteArray OkHead = "HTTP/1.1 200 OK\r\n";
const QByteArray PartialBody = OkHead + "Content-Length: 5000\r\n\r\n" + QByteArray(1000, 'x');
const QByteArray BandAndTune = airplayPage("Band", "Tune").bytes;
// The last three bytes of a page, one a second.
const Reply SlowEnd{.bytes = BandAndTune.chopped(3), .endlessPiece = "\n", .trickleMs = 1000};
// Without its first four bytes a qCompress result is a zlib stream, which deflate means.
const Reply Bomb = LoopbackServer::ok(qCompress(QByteArray(64 * BodyCap, 'x')).mid(4),
                                      {"Content-Encoding: deflate"});
const QString Done = QStringLiteral("Done\\. \\(\\d+[.,]\\d secs\\)\r\n\\(1 Found\\)");
const QString ClosedByServer = QStringLiteral("Error 2 Connection closed by the server");
const QString NotHttp = QStringLiteral("Error 399 Invalid HTTP response");
const QString TooLarge = QStringLiteral("Error 299 Response too large");
const QString Redirects = QStringLiteral("Error 10 Too many redirects");
const QString HeadTooLarge = QStringLiteral("Error 299 Response head too large");

const HostileCase Cases[] = {
    {"ResetInTheBody", 1, {.bytes = PartialBody, .resetAfter = true}, ClosedByServer},
    {"StallInTheBody", 3, {.bytes = PartialBody, .closeAfter = false}, "Error 4 Timed out"},
    {"OneBytePerSecond", 0, SlowEnd, Done, "1|2|Band|Tune"},
    {"EndlessBody", 4, endless(OkHead + "\r\n", "<"), TooLarge},
    {"LengthLargerThanTheBodyThenClose", 1, {PartialBody}, ClosedByServer},
    {"InvalidChunkedEncoding", 2, {OkHead + "Transfer-Encoding: chunked\r\n\r\nzz\r\n"}, NotHttp},
    {"DeflateBomb", 4, Bomb, TooLarge},
    {"BodyAtItsCap", 0, airplayPageOf(BodyCap), Done, "1|2|Band|Tune"},
    {"BodyPastItsCap", 0, airplayPageOf(BodyCap + 1), TooLarge},
    {"RedirectLoop", 0, {"HTTP/1.1 302 Found\r\nLocation: /a\r\n\r\n"}, Redirects},
    // An empty page ends the run before parsing, under the monitor's last text.
    {"NoContent", 1, {"HTTP/1.1 204 No Content\r\n\r\n"}, "Chatting with Host..."},
    {"NotHttp", 3, {"SSH-2.0-OpenSSH_9.2p1\r\n"}, NotHttp},
    {"MarkupInTheReasonPhrase", 4, {"HTTP/1.1 500 <b>x</b>\r\n\r\n"}, "Error 500 <b>x</b>"},
    // Stripping leaves a "<" only where no ">" follows, and never decodes "&lt;".
    {"MarkupInTheCells", 0, airplayPage("&lt;b&gt;x&lt;/b&gt;", "<b>x</b"), Done,
     "1|2|&lt;b&gt;x&lt;/b&gt;|x</b"},
    {"BinaryBody", 0, airplayPage(QByteArray("A\0B", 3), "\x01\x02\x03"), Done,
     QStringLiteral("1|2|A\0B|\u0001\u0002\u0003")},
    {"InvalidUtf8", 0,
     airplayPage("Caf\xc3(", "\xed\xa0\x80!", {"Content-Type: text/html; charset=utf-8"}), Done,
     QStringLiteral("1|2|Caf\ufffd(|\ufffd\ufffd\ufffd!")},
    {"HeadJustUnderItsCap", 0,
     airplayPage("Band", "Tune", QByteArrayList(3, "X: " + QByteArray(85000, 'a'))), Done,
     "1|2|Band|Tune"},
    {"EndlessHead", 0, endless(OkHead, "X: " + QByteArray(1000, 'a') + "\r\n"), HeadTooLarge},
    {"EndlessShortHeaderLines", 1, endless(OkHead, "X:y\r\n"), HeadTooLarge},
    {"EndlessHeaderLine", 2, endless(OkHead + "X: ", "a"), HeadTooLarge},
    {"EndlessStatusLine", 3, endless("HTTP/1.1 200 ", "O"), HeadTooLarge},
};

// Kilobytes of a /proc/self/status field such as VmRSS; 0 when it cannot be read.
qint64 statusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QRegularExpression pattern(QLatin1String(field) + QStringLiteral(":\\s*(\\d+)"));
    return pattern.match(QString::fromLatin1(status.readAll())).captured(1).toLongLong();
}

class HostileServer : public ::testing::TestWithParam<HostileCase>
{
};

// The window reaches its built-in addresses through a proxy on 127.0.0.1: first the sample
// server fills the list, then the hostile server of the case answers the same button.
TEST_P(HostileServer, UserSeesWhatHappenedAndTheWindowRecovers)
{
    const HostileCase& c = GetParam();
    sample::SampleServer sample;
    ASSERT_TRUE(sample.listen(0));
    frmMain window(new CurlTransfer(nullptr, IdleTimeoutMs, BodyCap, DeadlineMs));
    window.show();
    const auto noProxy = qScopeGuard([] { qunsetenv("http_proxy"); });
    QWidget* page = test::control(window, QStringLiteral("fraMain(%1)").arg(c.tab));
    auto* list = page->findChild<QTreeWidget*>();
    auto* button = page->findChild<QPushButton*>();
    auto* status = test::control<QLabel>(window, QStringLiteral("lblStatus"));
    test::showPage(window, c.tab);
    test::useProxy(sample.port());
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_GT(list->topLevelItemCount(), 0) << status->text().toStdString();

    LoopbackServer hostile;
    hostile.setReply(c.reply);
    test::useProxy(hostile.port());
    // Writing 5 to clear_refs makes VmHWM start again from the present resident size.
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    ASSERT_TRUE(clearRefs.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                clearRefs.write("5") == 1);
    [[maybe_unused]] const qint64 residentBefore = statusKiB("VmRSS");
    QTest::mouseClick(button, Qt::LeftButton);
    // The address sanitizer holds freed memory back, so only a plain build can tell.
#if !defined(__SANITIZE_ADDRESS__)
    const qint64 growth = statusKiB("VmHWM") - residentBefore;
    ASSERT_GT(residentBefore, 0);
    EXPECT_LT(growth * 1024, BodyCap + MemoryMargin) << "peak grew by " << growth << " KiB";
#endif

    const QRegularExpression expected(QRegularExpression::anchoredPattern(c.status));
    EXPECT_TRUE(expected.match(status->text()).hasMatch()) << status->text().toStdString();
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
    EXPECT_TRUE(button->isEnabled());
    const QStringList cells = c.firstRow.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    EXPECT_EQ(test::rowsOf(*page),
              cells.isEmpty() ? QList<QStringList>() : QList<QStringList>{cells});
    EXPECT_TRUE(window.close());
}

INSTANTIATE_TEST_SUITE_P(Matrix, HostileServer, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vandrel
