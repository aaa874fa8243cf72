#include "net/TransferMonitor.h"
#include "support/FakeTransfer.h"

#include <QLabel>
#include <QLocale>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

const QString unknownSize = QStringLiteral("/?\r\n(The server did not tell me the size.)");

// A percentage as the user's locale writes it.
QString percent(const char* digits)
{
    return QString::fromLatin1(digits).replace(QLatin1Char('.'), QLocale::system().decimalPoint()) +
           QLatin1Char('%');
}

class MonitorTest : public ::testing::Test
{
protected:
    test::FakeTransfer transfer;
    QLabel status;
    TransferMonitor monitor{transfer, status};
};

struct ProgressCase
{
    const char* name;
    QStringList chunks;
    QString contentLength;
    qint32 pageSize;
    QString lastStatus;
};

class MonitorProgress : public MonitorTest, public ::testing::WithParamInterface<ProgressCase>
{
};

TEST_P(MonitorProgress, ReadsTheBodyAndShowsTheLastProgress)
{
    const ProgressCase& c = GetParam();
    transfer.body = c.chunks;
    transfer.contentLength = c.contentLength;
    monitor.setPageText(QStringLiteral("previous page"));
    status.setText(QStringLiteral("Chatting with Host..."));
    transfer.Execute({}, {}, {});

    emit transfer.StateChanged(12);

    EXPECT_EQ(monitor.PageText(), c.chunks.join(QString()));
    EXPECT_EQ(monitor.PageSize(), c.pageSize);
    EXPECT_EQ(status.text(), c.lastStatus);
}

QStringList chunksOf(qsizetype length, qsizetype size)
{
    QStringList chunks;
    for (qsizetype done = 0; done < length; done += size)
        chunks.append(QString(qMin(size, length - done), QLatin1Char('x')));
    return chunks;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MonitorProgress,
    ::testing::Values(
        ProgressCase{"EmptyBodyWritesNoProgress", {}, "0", 0, "Chatting with Host..."},
        ProgressCase{"Announced999", chunksOf(999, 1024), "999", 999,
                     "0KB/0KB\r\n" + percent("100.0")},
        ProgressCase{"Announced500For1000", chunksOf(1000, 1024), "500", 500,
                     "1KB/0KB\r\n" + percent("200.0")},
        ProgressCase{"Announced1024InOneChunk", chunksOf(1024, 1024), "1024", 1024,
                     "1KB/1KB\r\n" + percent("100.0")},
        ProgressCase{"Announced1024InTwoChunks", chunksOf(1024, 1000), "1024", 1024,
                     "1KB/1KB\r\n" + percent("100.0")},
        ProgressCase{"NoContentLength", chunksOf(2500, 1024), "", 0, "2KB" + unknownSize},
        ProgressCase{"ContentLengthZero", chunksOf(10, 1024), "0", 0, "0KB" + unknownSize},
        ProgressCase{"NonNumericContentLength", chunksOf(10, 1024), "abc", 0, "0KB" + unknownSize},
        ProgressCase{"LeadingBlanksAndTrailingText", chunksOf(1024, 1024), "  2048 bytes", 2048,
                     "1KB/2KB\r\n" + percent("50.0")},
        ProgressCase{"NegativeCountsAsNoSize", chunksOf(10, 1024), "-5", 0, "0KB" + unknownSize},
        ProgressCase{"RoundsDownBelowHalf", chunksOf(1, 1024), "3", 3,
                     "0KB/0KB\r\n" + percent("33.3")},
        ProgressCase{"RoundsUpFromHalf", chunksOf(1, 1024), "16", 16,
                     "0KB/0KB\r\n" + percent("6.3")},
        ProgressCase{"LeadingZeroBelowOne", chunksOf(1, 1024), "3000", 3000,
                     "0KB/3KB\r\n" + percent("0.0")},
        ProgressCase{"NoDigitGrouping", chunksOf(2000, 1024), "1", 1,
                     "2KB/0KB\r\n" + percent("200000.0")},
        ProgressCase{"ClampedBeyond32Bits", chunksOf(10, 1024), "99999999999", 2147483647,
                     "0KB/2147483KB\r\n" + percent("0.0")}),
    [](const auto& info) { return std::string(info.param.name); });

struct StateCase
{
    int state;
    QString text;
};

class MonitorStates : public MonitorTest, public ::testing::WithParamInterface<StateCase>
{
};

TEST_P(MonitorStates, WritesTheStateText)
{
    status.setText(QStringLiteral("before"));
    emit transfer.StateChanged(GetParam().state);
    EXPECT_EQ(status.text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MonitorStates,
    ::testing::Values(StateCase{1, "Looking up IP address of host computer..."},
                      StateCase{2, "IP address found."},
                      StateCase{3, "Attempting to connect to Host..."}, StateCase{4, "Connected."},
                      StateCase{5, "Making Request..."}, StateCase{6, "Request sent."},
                      StateCase{7, "Chatting with Host..."}, StateCase{8, "before"},
                      StateCase{9, "Disconnecting..."}, StateCase{10, "Disconnected."},
                      StateCase{0, "before"}, StateCase{13, "before"}, StateCase{-1, "before"}));

TEST_F(MonitorTest, FailureShowsCodeAndInfoAndKeepsThePage)
{
    transfer.body = {QStringLiteral("page")};
    transfer.contentLength = QStringLiteral("4");
    transfer.Execute({}, {}, {});
    emit transfer.StateChanged(12);
    transfer.responseCode = 404;
    transfer.responseInfo = QStringLiteral("Not Found");

    emit transfer.StateChanged(11);

    EXPECT_EQ(status.text(), QStringLiteral("Error 404 Not Found"));
    EXPECT_EQ(monitor.PageText(), QStringLiteral("page"));
    EXPECT_EQ(monitor.PageSize(), 4);
}

TEST_F(MonitorTest, FailureWithoutInfoKeepsTheTrailingBlank)
{
    transfer.responseCode = -7;
    emit transfer.StateChanged(11);
    EXPECT_EQ(status.text(), QStringLiteral("Error -7 "));
}

} // namespace
} // namespace vandrel
