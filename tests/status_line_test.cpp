// What the user sees on the status line: every stage painted before the next replaces it, and
// what a refused request says.
#include "app/frmMain.h"
#include "net/CurlTransfer.h"
#include "support/FakeTransfer.h"
#include "support/LoopbackServer.h"
#include "support/WindowTesting.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

// Records the label's text each time it is painted, leaving out repeats of the same text.
struct PaintRecorder : QObject
{
    QStringList painted;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QString text = static_cast<QLabel*>(watched)->text();
        if (event->type() == QEvent::Paint && (painted.isEmpty() || painted.last() != text))
            painted << text;
        return false;
    }
};

class StatusLine : public ::testing::Test
{
protected:
    StatusLine() : window(transfer = new test::FakeTransfer)
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    template <class T> T* find(const char* name)
    {
        return test::Control<T>(window, QString::fromLatin1(name));
    }

    test::FakeTransfer* transfer;
    frmMain window;
};

TEST_F(StatusLine, PaintsEveryStageOfAGetBeforeTheNextReplacesIt)
{
    // States outside the table and those without a text of their own change nothing.
    transfer->states = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, -1, 12};
    transfer->body = {QString(1000, u'x'), QString(1000, u'y')};
    transfer->contentLength = QStringLiteral("2000");
    PaintRecorder recorder;
    find<QLabel>("lblStatus")->installEventFilter(&recorder);
    QTest::mouseClick(find<QPushButton>("cmdGet"), Qt::LeftButton);

    const QString done = "2KB/2KB\r\n100" + QLocale::system().decimalPoint() + "0%";
    ASSERT_EQ(recorder.painted.size(), 16) << recorder.painted.join(u'|').toStdString();
    EXPECT_EQ(
        recorder.painted,
        QStringList({"Downloading List...", "Looking up IP address of host computer...",
                     "IP address found.", "Attempting to connect to Host...", "Connected.",
                     "Making Request...", "Request sent.", "Chatting with Host...",
                     "Disconnecting...", "Disconnected.", "2KB", done, "2KB", done, "Parsing...",
                     "An error occured while processing the list: Invalid procedure call "
                     "or argument.\r\nMake sure you have the latest version of this program."}));
}

TEST_F(StatusLine, RefusedRequestsShowTheBoxAndTheVersionCheckSaysSo)
{
    transfer->refusal = Failure(-35, "Cannot start");
    QStringList boxes;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&boxes] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->windowTitle() + u'|' + box->text();
            box->accept();
        }
    });
    closer.start(10);

    QTest::mouseClick(find<QPushButton>("cmdGet"), Qt::LeftButton);
    EXPECT_EQ(find<QLabel>("lblStatus")->text(), QStringLiteral("Downloading List..."));
    EXPECT_TRUE(find<QPushButton>("cmdGet")->isEnabled());
    test::ShowPage(window, 5);
    auto* check = find<QCheckBox>("chkUpdate");
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));

    const QString box = QStringLiteral("InetGet Error...|Error: -35\r\nCannot start");
    EXPECT_EQ(boxes, QStringList({box, box}));
    EXPECT_EQ(find<QLabel>("lblStatus")->text(),
              QStringLiteral("Version check failed: Cannot start"));
    EXPECT_TRUE(check->isEnabled());
    EXPECT_FALSE(check->isChecked());
}

// A page of 10,000 bytes that arrives in pieces of 500 over one second, announced or not.
class Trickle : public ::testing::TestWithParam<bool>
{
};

TEST_P(Trickle, ShowsTheArrivingKilobytesRisingBeforeTheEnd)
{
    test::LoopbackServer server;
    const QByteArray length = GetParam() ? "Content-Length: 10000" : "Connection: close";
    server.setReply({.bytes = test::LoopbackServer::response("200 OK", {length}),
                     .endlessPiece = QByteArray(500, 'x'),
                     .trickleMs = 50,
                     .pieces = 20});
    test::UseProxy(server.port());
    frmMain window(new CurlTransfer);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    PaintRecorder recorder;
    auto* status = test::Control<QLabel>(window, QStringLiteral("lblStatus"));
    status->installEventFilter(&recorder);
    QTest::mouseClick(test::Control<QPushButton>(window, QStringLiteral("cmdGet")), Qt::LeftButton);
    test::UseNoProxy();

    // Live texts come before the body is read, whose first text is the kilobytes alone.
    const QRegularExpression live(
        GetParam()
            ? QStringLiteral("^(\\d+)KB/10KB\r\n\\d+[.,]\\d%$")
            : QStringLiteral("^(\\d+)KB/\\?\r\n\\(The server did not tell me the size.\\)$"));
    QList<int> kilobytes;
    for (const QString& text : recorder.painted) {
        if (QRegularExpression(QStringLiteral("^\\d+KB$")).match(text).hasMatch())
            break;
        if (const auto match = live.match(text); match.hasMatch())
            kilobytes << match.captured(1).toInt();
    }
    ASSERT_GE(kilobytes.size(), 2) << recorder.painted.join(u'|').toStdString();
    EXPECT_TRUE(std::is_sorted(kilobytes.begin(), kilobytes.end()));
    EXPECT_LT(kilobytes.first(), kilobytes.last());
    EXPECT_TRUE(status->text().startsWith(QStringLiteral("An error occured")))
        << status->text().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Announced, Trickle, ::testing::Bool());

} // namespace
} // namespace vandrel
