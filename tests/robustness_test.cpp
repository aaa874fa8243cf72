#include "app/frmMain.h"
#include "net/HttpTransfer.h"
#include "support/LoopbackServer.h"
#include "support/WindowTesting.h"
#include "tools/sample-server/SampleServer.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

using test::LoopbackServer;

// Short bounds keep the matrix fast; the program runs with 30 s and 16 MiB.
constexpr int idleTimeoutMs = 2000;
constexpr qint64 bodyCap = 1024 * 1024;
// What a download may add to the peak memory besides the capped body: its copies as text,
// the extraction's working copies and Qt's buffers. A body read without bound exceeds it.
constexpr qint64 memoryMargin = 32 * 1024 * 1024;
// The address sanitizer holds freed memory back, so only a plain build can tell.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool measuresMemory = false;
#else
constexpr bool measuresMemory = true;
#endif

struct Source
{
    int tab;
    const char* button;
    const char* list;
};

const Source KRock{0, "cmdGet", "lstKrock"};
const Source CddbAlbums{1, "cmdCDDB", "lstCDDB"};
const Source CddbSongs{2, "cmdCDDBSongs", "lstCDDBSongs"};
const Source Billboard{3, "cmdCharts", "lstCharts"};
const Source Hot97{4, "cmdHot97", "lstHot97"};

// A K-Rock page with one row whose artist and song cells hold the given bytes.
QByteArray krockPage(const QByteArray& artist, const QByteArray& song)
{
    QByteArray page = "<!--END HEADER-->\n<table>\n<tr><th>This Week</th></tr>\n<tr>\n";
    for (const QByteArray& cell :
         {QByteArray("1"), QByteArray("2"), artist, song, QByteArray("Album"), QByteArray("Label")})
        page += "<td>" + cell + "</td>\n";
    return page + "</tr>\n</table>\n";
}

QByteArray ok(const QByteArray& body, QByteArrayList headers = {})
{
    headers.prepend("Content-Length: " + QByteArray::number(body.size()));
    return LoopbackServer::response("200 OK", headers, body);
}

QString exactly(const QString& text)
{
    return QRegularExpression::anchoredPattern(QRegularExpression::escape(text));
}

QString failed(int code, const QString& info)
{
    return exactly(QStringLiteral("Error %1 %2").arg(code).arg(info));
}

QString done(int rows)
{
    return QStringLiteral("^Done\\. \\(\\d+[.,]\\d secs\\)\r\n\\(%1 Found\\)$").arg(rows);
}

using Reply = LoopbackServer::Reply;

struct HostileCase
{
    const char* name;
    const Source* source;
    Reply (*reply)(); // null: nothing listens
    QString status;   // a pattern for the whole status line
    QStringList firstRow = {};
    // Qt keeps every byte of a response head until the head is complete, so only the
    // idle time-out ends a head that never ends.
    bool memoryBounded = true;
};

void PrintTo(const HostileCase& c, std::ostream* os)
{
    *os << c.name;
}

QByteArray partialBody()
{
    return LoopbackServer::response("200 OK", {"Content-Length: 5000"}, QByteArray(1000, 'x'));
}

const QByteArray gzipped = "Content-Encoding: gzip";
const QString timedOut = failed(QNetworkReply::TimeoutError, "Timed out");
const QString tooLarge = failed(QNetworkReply::UnknownContentError, "Response too large");
const QString closedByServer =
    failed(QNetworkReply::RemoteHostClosedError, "Connection closed by the server");
// An empty page ends the run before parsing, under the monitor's last text.
const QString nothingArrived = exactly("Chatting with Host...");

// Kilobytes of a /proc/self/status field such as VmRSS.
qint64 statusKiB(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Makes VmHWM start again from the present resident size.
bool resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

// The window on a short-bounded transfer, with every built-in address sent to a loopback proxy.
class WindowBehindProxy : public ::testing::Test
{
protected:
    WindowBehindProxy() : window(new HttpTransfer(nullptr, idleTimeoutMs, bodyCap))
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~WindowBehindProxy() override { test::UseNoProxy(); }

    template <class T> T* find(const char* name) const
    {
        return test::Control<T>(window, QLatin1String(name));
    }
    QLabel* status() const { return find<QLabel>("lblStatus"); }
    void showPage(int tab) { test::ShowPage(window, tab); }
    void get(const Source& s)
    {
        showPage(s.tab);
        QTest::mouseClick(find<QPushButton>(s.button), Qt::LeftButton);
    }

    frmMain window;
};

// First the sample server fills the list, then the hostile server of the case answers.
class HostileServer : public WindowBehindProxy, public ::testing::WithParamInterface<HostileCase>
{
protected:
    HostileServer() { EXPECT_TRUE(sample.listen(0)); }

    sample::SampleServer sample;
};

TEST_P(HostileServer, UserSeesWhatHappenedAndTheWindowRecovers)
{
    const HostileCase& c = GetParam();
    auto* list = find<QTreeWidget>(c.source->list);
    test::UseProxy(sample.port());
    get(*c.source);
    ASSERT_GT(list->topLevelItemCount(), 0) << status()->text().toStdString();

    LoopbackServer hostile;
    if (c.reply)
        hostile.setReply(c.reply());
    test::UseProxy(c.reply ? hostile.port() : LoopbackServer::closedPort());
    const bool peakReset = resetPeakMemory();
    const qint64 residentBefore = statusKiB("VmRSS");
    get(*c.source);
    const qint64 peak = statusKiB("VmHWM");

    EXPECT_TRUE(QRegularExpression(c.status).match(status()->text()).hasMatch())
        << status()->text().toStdString();
    EXPECT_EQ(status()->textFormat(), Qt::PlainText);
    EXPECT_TRUE(find<QPushButton>(c.source->button)->isEnabled());
    ASSERT_EQ(list->topLevelItemCount(), c.firstRow.isEmpty() ? 0 : 1);
    for (int column = 0; column < c.firstRow.size(); ++column)
        EXPECT_EQ(list->topLevelItem(0)->text(column), c.firstRow[column]) << column;
    if (measuresMemory) {
        ASSERT_TRUE(peakReset && residentBefore > 0 && peak > 0);
        RecordProperty("PeakGrowthKiB", int(peak - residentBefore));
        if (c.memoryBounded) {
            EXPECT_LT((peak - residentBefore) * 1024, bodyCap + memoryMargin)
                << "peak grew by " << peak - residentBefore << " KiB";
        }
    }
    EXPECT_TRUE(window.close());
}

using PlainText = WindowBehindProxy;

// Stripping leaves a "<" only where no ">" follows, and never decodes "&lt;".
TEST_F(PlainText, PageCellsShowAsWritten)
{
    LoopbackServer server;
    server.setReply(Reply{ok("<!--END HEADER-->\n<table>\n<tr><th>This Week</th></tr>\n1\n2\n"
                             "&lt;b&gt;x&lt;/b&gt;\n<b>x</b\n</table>\n")});
    test::UseProxy(server.port());
    get(KRock);

    auto* list = find<QTreeWidget>(KRock.list);
    ASSERT_EQ(list->topLevelItemCount(), 1) << status()->text().toStdString();
    EXPECT_EQ(list->topLevelItem(0)->text(2), "&lt;b&gt;x&lt;/b&gt;");
    EXPECT_EQ(list->topLevelItem(0)->text(3), "x</b");
}

TEST_F(PlainText, NewestVersionShowsAsWritten)
{
    LoopbackServer server;
    server.setReply(Reply{ok("<!-- Version --><img src=\"x.png\"><!-- Version -->")});
    test::UseProxy(server.port());
    showPage(5);
    auto* check = find<QCheckBox>("chkUpdate");
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));

    EXPECT_TRUE(status()->text().endsWith("\r\n<img src=\"x.png\"> = Newest Version"))
        << status()->text().toStdString();
    EXPECT_EQ(status()->textFormat(), Qt::PlainText);
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, HostileServer,
    ::testing::Values(
        HostileCase{"ConnectionRefused", &KRock, nullptr,
                    failed(QNetworkReply::ConnectionRefusedError, "Connection refused")},
        HostileCase{"ResetInTheBody", &CddbAlbums,
                    [] { return Reply{.bytes = partialBody(), .resetAfter = true}; },
                    closedByServer},
        HostileCase{"StallBeforeTheHeaders", &CddbSongs, [] { return Reply{.stallAfter = 0}; },
                    timedOut},
        HostileCase{
            "StallInTheBody", &Billboard,
            [] { return Reply{.bytes = partialBody(), .stallAfter = partialBody().size()}; },
            timedOut},
        HostileCase{"OneBytePerSecond",
                    &KRock,
                    [] {
                        const QByteArray bytes = ok(krockPage("Band", "Tune"));
                        return Reply{.bytes = bytes, .trickleFrom = bytes.size() - 3};
                    },
                    done(1),
                    {"1", "2", "Band", "Tune"}},
        HostileCase{"EndlessBody", &Hot97,
                    [] {
                        return Reply{.bytes = LoopbackServer::response("200 OK",
                                                                       {"Content-Type: text/html"}),
                                     .endlessPiece = QByteArray(64 * 1024, '<')};
                    },
                    tooLarge},
        HostileCase{"LengthLargerThanTheBodyThenClose", &CddbAlbums,
                    [] { return Reply{partialBody()}; }, closedByServer},
        HostileCase{"InvalidChunkedEncoding", &CddbSongs,
                    [] {
                        return Reply{LoopbackServer::response(
                            "200 OK", {"Transfer-Encoding: chunked"}, "zz\r\nhello\r\n0\r\n\r\n")};
                    },
                    nothingArrived},
        HostileCase{
            "GzipExpandingPastTheCap", &Billboard,
            [] { return Reply{ok(LoopbackServer::gzip(QByteArray(4 * bodyCap, 'x')), {gzipped})}; },
            tooLarge},
        HostileCase{"GzipBomb", &Hot97,
                    [] {
                        return Reply{
                            ok(LoopbackServer::gzip(QByteArray(64 * bodyCap, 'x')), {gzipped})};
                    },
                    failed(QNetworkReply::UnknownContentError, "Decompression failed: ")},
        HostileCase{"RedirectLoop", &KRock,
                    [] {
                        return Reply{LoopbackServer::response(
                            "302 Found", {"Location: /again", "Content-Length: 0"})};
                    },
                    failed(QNetworkReply::TooManyRedirectsError, "Too many redirects")},
        HostileCase{"NoContent", &CddbAlbums,
                    [] { return Reply{LoopbackServer::response("204 No Content", {})}; },
                    nothingArrived},
        HostileCase{"NotModified", &CddbSongs,
                    [] { return Reply{LoopbackServer::response("304 Not Modified", {})}; },
                    nothingArrived},
        HostileCase{"NotHttp", &Billboard, [] { return Reply{"SSH-2.0-OpenSSH_9.2p1\r\n"}; },
                    closedByServer},
        HostileCase{
            "MarkupInTheReasonPhrase", &Hot97,
            [] { return Reply{LoopbackServer::response("500 <b>x</b>", {"Content-Length: 0"})}; },
            exactly("Error 500 <b>x</b>")},
        HostileCase{"BinaryBody",
                    &KRock,
                    [] { return Reply{ok(krockPage(QByteArray("A\0B", 3), "\x01\x02\x03"))}; },
                    done(1),
                    {"1", "2", QStringLiteral("A") + QChar(0) + QStringLiteral("B"),
                     QStringLiteral("\u0001\u0002\u0003")}},
        HostileCase{
            "InvalidUtf8",
            &KRock,
            [] {
                return Reply{ok(krockPage("Caf\xc3(", "\xed\xa0\x80!"),
                                {"Content-Type: text/html; charset=utf-8"})};
            },
            done(1),
            {"1", "2", QStringLiteral("Caf\ufffd("), QStringLiteral("\ufffd\ufffd\ufffd!")}},
        HostileCase{"LongHeaderLine",
                    &KRock,
                    [] {
                        return Reply{ok(krockPage("Band", "Tune"),
                                        {"X-Padding: " + QByteArray(bodyCap, 'a')})};
                    },
                    done(1),
                    {"1", "2", "Band", "Tune"}},
        HostileCase{"EndlessHeaderLine",
                    &KRock,
                    [] {
                        return Reply{.bytes = "HTTP/1.1 200 OK\r\nX-Padding: ",
                                     .endlessPiece = QByteArray(64 * 1024, 'a')};
                    },
                    timedOut,
                    {},
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vandrel
