#include "net/CurlTransfer.h"
#include "net/PageRequest.h"
#include "support/FakeTransfer.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

// What the modal box said, captured just before the test closes it.
struct SeenBox
{
    int count = 0;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
};

// Watches for modal message boxes while `action` runs, records and accepts each.
void closingBoxes(SeenBox& seen, const std::function<void()>& action)
{
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++seen.count;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            seen.buttons = box->buttons().size();
            box->accept();
        }
    });
    watcher.start(10);
    action();
}

class PageRequestTest : public ::testing::Test
{
protected:
    test::FakeTransfer transfer;
    QLabel status;
    TransferMonitor monitor{transfer, status};
    PageRequest request{transfer, monitor, nullptr};
};

TEST_F(PageRequestTest, PassesTheAddressUnchangedWithTheHeaderBlock)
{
    const QString url = QStringLiteral("http://Example.test/a b?x=1&y=2");
    request.GetURL(url);
    EXPECT_EQ(transfer.url, url);
    EXPECT_EQ(transfer.operation, QStringLiteral("GET"));
    EXPECT_EQ(transfer.headers,
              QStringLiteral("\r\n\r\nReferer: http://Example.test/a b?x=1&y=2\r\n"
                             "Content-Type: application/x-www-form-urlencoded\r\n"
                             "User-Agent: ZizerIde (compatible; MSIE 4.01; Windows 98)\r\n\r\n"));
}

struct AmpCase
{
    const char* name;
    QString page;
    QString expected;
};

class AmpReplacement : public PageRequestTest, public ::testing::WithParamInterface<AmpCase>
{
};

TEST_P(AmpReplacement, TurnsEveryAmpEntityIntoAmpersandInOnePass)
{
    transfer.body = {GetParam().page};
    request.GetURL(QStringLiteral("http://example.test/"));
    EXPECT_EQ(monitor.PageText(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Pages, AmpReplacement,
                         ::testing::Values(AmpCase{"None", "<p>a & b</p>", "<p>a & b</p>"},
                                           AmpCase{"All", "&amp;R&amp;B &amp;", "&R&B &"},
                                           AmpCase{"NoRescan", "&amp;amp;", "&amp;"},
                                           AmpCase{"BecomesNbsp", "a&amp;nbsp;b", "a&nbsp;b"},
                                           AmpCase{"LowerCaseOnly", "&AMP; &Amp; &amp",
                                                   "&AMP; &Amp; &amp"},
                                           AmpCase{"Empty", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PageRequestTest, WaitsUntilTheTransferEnds)
{
    transfer.autoFinish = false;
    transfer.body = {QStringLiteral("late page")};
    QTimer::singleShot(20, &transfer, [this] { transfer.finish(); });
    request.GetURL(QStringLiteral("http://example.test/"));
    EXPECT_FALSE(transfer.StillExecuting());
    EXPECT_EQ(monitor.PageText(), QStringLiteral("late page"));
    EXPECT_TRUE(request.lastRequestSucceeded());
}

TEST_F(PageRequestTest, FailedRequestLeavesNoStalePage)
{
    transfer.body = {QStringLiteral("first page")};
    request.GetURL(QStringLiteral("http://example.test/"));
    ASSERT_TRUE(request.lastRequestSucceeded());

    transfer.states = {1, 2, 3, 4, 5, 6, 7, 8, 11};
    transfer.responseCode = 404;
    transfer.responseInfo = QStringLiteral("Not Found");
    request.GetURL(QStringLiteral("http://example.test/other"));

    EXPECT_TRUE(monitor.PageText().isEmpty());
    EXPECT_FALSE(request.lastRequestSucceeded());
    EXPECT_EQ(status.text(), QStringLiteral("Error 404 Not Found"));
}

TEST_F(PageRequestTest, RefusedRequestShowsTheMessageBox)
{
    monitor.setPageText(QStringLiteral("old &amp; page"));
    status.setText(QStringLiteral("Downloading List..."));
    transfer.refusal = Failure(-35, "Cannot start");
    SeenBox seen;

    closingBoxes(seen, [this] { request.GetURL(QStringLiteral("http://example.test/")); });

    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(seen.title, QStringLiteral("InetGet Error..."));
    EXPECT_EQ(seen.text, QStringLiteral("Error: -35\r\nCannot start"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(monitor.PageText().isEmpty());
    EXPECT_FALSE(request.lastRequestSucceeded());
    EXPECT_EQ(status.text(), QStringLiteral("Downloading List..."));
}

TEST(PageRequestHttp, AddressTheTransferRefusesShowsItsFailure)
{
    CurlTransfer transfer;
    QLabel status;
    TransferMonitor monitor{transfer, status};
    PageRequest request{transfer, monitor, nullptr};
    monitor.setPageText(QStringLiteral("old page"));
    SeenBox seen;

    closingBoxes(seen, [&request] { request.GetURL(QStringLiteral("ftp://127.0.0.1/list")); });

    EXPECT_EQ(seen.count, 1);
    EXPECT_EQ(
        seen.text,
        QStringLiteral("Error: %1\r\nURL is malformed").arg(int(CurlTransfer::MalformedUrlError)));
    EXPECT_TRUE(monitor.PageText().isEmpty());
    EXPECT_FALSE(transfer.StillExecuting());
}

} // namespace
} // namespace vandrel
