// The monitor and the page request on a scripted transfer: what the status line is told, in
// order, and what page the caller gets.
#include "net/page_request.h"
#include "net/transfer_monitor.h"
#include "support/fake_transfer.h"

#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

const QString UnknownSize = QStringLiteral("/?\r\n(The server did not tell me the size.)");

// A percentage as the user's locale writes it.
QString percent(const char* digits)
{
    return QString::fromLatin1(digits).replace(QLatin1Char('.'), QLocale::system().decimalPoint()) +
           QLatin1Char('%');
}

QStringList chunksOf(qsizetype length, qsizetype size)
{
    QStringList chunks;
    for (qsizetype done = 0; done < length; done += size)
        chunks.append(QString(qMin(size, length - done), QLatin1Char('x')));
    return chunks;
}

struct Engine
{
    Engine()
    {
        QObject::connect(&monitor, &TransferMonitor::statusChanged, &monitor,
                         [this](auto& t) { statuses << t; });
    }
    QString get() { return request.GetURL(QStringLiteral("http://example.test/a b?x=1&y=2")); }

    test::FakeTransfer transfer;
    TransferMonitor monitor{transfer};
    PageRequest request{transfer, monitor};
    QStringList statuses;
};

// Bodies read whole, and the last progress text they leave: sizes announced or not, rounding.
TEST(Monitor, ReadsTheBodyAndEndsOnItsSize)
{
    const struct
    {
        const char* name;
        qsizetype length, chunk;
        QString contentLength;
        qint32 pageSize;
        QString lastStatus;
    } cases[] = {
        {"Empty", 0, 1, "0", 0, "Chatting with Host..."},
        {"Announced999", 999, 1024, "999", 999, "0KB/0KB\r\n" + percent("100.0")},
        {"Announced500For1000", 1000, 1024, "500", 500, "1KB/0KB\r\n" + percent("200.0")},
        {"OneFullChunk", 1024, 1024, "1024", 1024, "1KB/1KB\r\n" + percent("100.0")},
        {"NoContentLength", 2500, 1024, "", 0, "2KB" + UnknownSize},
        {"ContentLengthZero", 10, 1024, "0", 0, "0KB" + UnknownSize},
        {"NotANumber", 10, 1024, "abc", 0, "0KB" + UnknownSize},
        {"NegativeIsNoSize", 10, 1024, "-5", 0, "0KB" + UnknownSize},
        {"LeadingBlanksTrailingText", 1024, 1024, "  2048 bytes", 2048,
         "1KB/2KB\r\n" + percent("50.0")},
        {"RoundsDownBelowHalf", 1, 1, "3", 3, "0KB/0KB\r\n" + percent("33.3")},
        {"RoundsUpFromHalf", 1, 1, "16", 16, "0KB/0KB\r\n" + percent("6.3")},
        {"NoDigitGrouping", 2000, 1024, "1", 1, "2KB/0KB\r\n" + percent("200000.0")},
        {"ClampedBeyond32Bits", 10, 1024, "99999999999", 2147483647,
         "0KB/2147483KB\r\n" + percent("0.0")},
    };
    for (const auto& c : cases) {
        Engine e;
        e.transfer.body = chunksOf(c.length, c.chunk);
        e.transfer.contentLength = c.contentLength;
        EXPECT_EQ(e.get(), e.transfer.body.join(QString())) << c.name;
        EXPECT_EQ(e.monitor.PageSize(), c.pageSize) << c.name;
        EXPECT_EQ(e.statuses.last(), c.lastStatus) << c.name;
    }
}

TEST(Monitor, ShowsLiveProgressAtMostEveryTenthOfASecond)
{
    Engine e;
    emit e.transfer.StateChanged(TransferState::ResolvingHost);
    emit e.transfer.progress(12345, 40000);
    emit e.transfer.progress(20000, 40000);
    QTest::qWait(150);
    emit e.transfer.progress(30000, 0);
    EXPECT_EQ(e.statuses.mid(1),
              QStringList({"12KB/40KB\r\n" + percent("30.9"), "30KB" + UnknownSize}));
}

TEST(PageRequest, TurnsEveryLowerCaseAmpEntityIntoAnAmpersandInOnePass)
{
    Engine e;
    e.transfer.body = {QStringLiteral("a & b|&amp;R&amp;B|&amp;amp;|&amp;nbsp;|&AMP; &Amp; &amp")};
    EXPECT_EQ(e.get(), QStringLiteral("a & b|&R&B|&amp;|&nbsp;|&AMP; &Amp; &amp"));
    // The address goes out as given, blank included.
    EXPECT_EQ(e.transfer.url, QStringLiteral("http://example.test/a b?x=1&y=2"));
}

TEST(PageRequest, FailureOrRefusalAfterAPageGivesNoPage)
{
    Engine e;
    e.transfer.body = {QStringLiteral("first page")};
    ASSERT_EQ(e.get(), QStringLiteral("first page"));

    // A failure keeps the page the monitor read last, but the caller gets none.
    e.transfer.states = {1, 2, 3, 4, 5, 6, 7, 8, 11};
    e.transfer.responseCode = -7;
    EXPECT_EQ(e.get(), QString());
    EXPECT_EQ(e.statuses.last(), QStringLiteral("Error -7 "));
    EXPECT_EQ(e.monitor.PageText(), QStringLiteral("first page"));

    e.transfer.refusal = Failure(-35, "Cannot start");
    EXPECT_EQ(e.get(), QString());
}

} // namespace
} // namespace vandrel
