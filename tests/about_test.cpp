#include "app/frmMain.h"
#include "net/CurlTransfer.h"
#include "support/LoopbackServer.h"
#include "support/UrlCatcher.h"
#include "support/WindowTesting.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

using test::LoopbackServer;

class AboutPage : public ::testing::Test
{
protected:
    AboutPage() : window(new CurlTransfer(nullptr, 3000))
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        auto* tabs = find<QTabBar>("tabChoose");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(5).center());
    }

    template <class T> T* find(const char* name) const
    {
        return test::Control<T>(window, QString::fromLatin1(name));
    }
    QLabel* link() const { return find<QLabel>("lblWebPage"); }
    QLabel* status() const { return find<QLabel>("lblStatus"); }
    QCheckBox* box() const { return find<QCheckBox>("chkUpdate"); }

    void moveOnto(QWidget* widget, QPoint at = {})
    {
        QTest::mouseMove(widget, at.isNull() ? widget->rect().center() : at);
        QCoreApplication::processEvents();
    }
    bool highlighted() const { return link()->font().underline() && link()->font().bold(); }
    bool plain() const { return !link()->font().underline() && !link()->font().bold(); }

    frmMain window;
};

TEST_F(AboutPage, AboutTextHasItsSixLines)
{
    const QStringList lines = find<QLabel>("lblAbout")->text().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "About Vandrel v0.1.161");
    EXPECT_EQ(lines[1], "Author: The Vandrel developers <developers@vandrel.example.org>");
    EXPECT_TRUE(lines[2].contains("vandrel.example.org"));
    EXPECT_EQ(lines[3], "Servers: www.krock.com www.gracenote.com www.billboard.com www.hot97.com");
    EXPECT_EQ(lines[4], "");
    EXPECT_FALSE(lines[5].isEmpty());
}

TEST_F(AboutPage, LinkHighlightsUnderTheMouseAndOnlyTheBarePageTurnsItPlain)
{
    EXPECT_TRUE(plain());
    moveOnto(link());
    EXPECT_TRUE(highlighted());
    for (const char* other : {"lblAbout", "chkUpdate", "tabChoose"}) {
        moveOnto(find<QWidget>(other));
        EXPECT_TRUE(highlighted()) << other;
    }
    moveOnto(find<QGroupBox>("fraMain(5)"), QPoint(4, 200));
    EXPECT_TRUE(plain());
}

TEST_F(AboutPage, OnlyUnderlineIsTestedOnTheLink)
{
    QFont boldOnly = link()->font();
    boldOnly.setBold(true);
    link()->setFont(boldOnly);
    moveOnto(link());
    EXPECT_TRUE(highlighted());

    QFont underlineOnly = link()->font();
    underlineOnly.setBold(false);
    link()->setFont(underlineOnly);
    moveOnto(link(), QPoint(2, 2));
    EXPECT_TRUE(link()->font().underline());
    EXPECT_FALSE(link()->font().bold());
}

TEST_F(AboutPage, ClickOpensTheWebsiteAndKeepsTheLinkAsItWas)
{
    test::UrlCatcher catcher;
    moveOnto(link());
    QTest::mouseClick(link(), Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0].toString(), "http://vandrel.example.org/vb/vandrel/");
    EXPECT_TRUE(highlighted());
}

// The version page lives at a fixed address: the test server stands in as the proxy.
class VersionCheck : public AboutPage
{
protected:
    VersionCheck() { test::UseProxy(server.port()); }
    ~VersionCheck() override { test::UseNoProxy(); }

    void serve(const QByteArray& body, int delayMs = 0)
    {
        server.setReply(
            {LoopbackServer::response("200 OK", {"Content-Type: text/html"}, body), delayMs});
    }
    void tick() { QTest::mouseClick(box(), Qt::LeftButton, {}, QPoint(6, box()->height() / 2)); }
    void expectIdle() const
    {
        EXPECT_TRUE(box()->isEnabled());
        EXPECT_FALSE(box()->isChecked());
    }

    LoopbackServer server;
};

TEST_F(VersionCheck, ShowsBothVersions)
{
    serve("<html><!-- Version -->0.2.3<!-- Version --></html>");
    tick();
    EXPECT_EQ(status()->text(), "0.1.161 = Your Version\r\n0.2.3 = Newest Version");
    expectIdle();
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_TRUE(server.requests()[0].startsWith(
        "GET http://vandrel.example.org/vb/vandrel/index.asp HTTP/1.1\r\n"));
}

TEST_F(VersionCheck, OneMarkerGivesEverythingAfterIt)
{
    serve("x<!-- Version -->1.0\r\n<b>new</b>");
    tick();
    EXPECT_EQ(status()->text(), "0.1.161 = Your Version\r\n1.0\r\n<b>new</b> = Newest Version");
    EXPECT_EQ(status()->textFormat(), Qt::PlainText);
}

TEST_F(VersionCheck, MarkerInCapitalsCountsAsNone)
{
    serve("<!-- VERSION -->0.2.3<!-- VERSION -->");
    tick();
    EXPECT_EQ(status()->text(), "0.1.161 = Your Version\r\n = Newest Version");
}

TEST_F(VersionCheck, FailedTransferKeepsItsErrorText)
{
    server.setReply({LoopbackServer::response("404 Not Found", {"Content-Length: 0"})});
    tick();
    EXPECT_EQ(status()->text(), "Error 404 Not Found");
    expectIdle();
}

TEST_F(VersionCheck, RefusedConnectionKeepsItsErrorText)
{
    test::UseProxy(LoopbackServer::closedPort());
    tick();
    EXPECT_TRUE(status()->text().startsWith("Error ")) << status()->text().toStdString();
    expectIdle();
}

TEST_F(VersionCheck, HugePageOverflowIsReported)
{
    serve("<!-- Version -->" + QByteArray(40000, 'x'));
    tick();
    EXPECT_EQ(status()->text(), "Version check failed: Overflow");
    expectIdle();
}

TEST_F(VersionCheck, BoxAndGuardsHoldDuringTheCheck)
{
    serve("<!-- Version -->0.2.3<!-- Version -->", 300);
    bool sampled = false;
    QTimer::singleShot(100, &window, [&] {
        sampled = true;
        EXPECT_FALSE(box()->isEnabled());
        EXPECT_TRUE(box()->isChecked());
        auto* tabs = find<QTabBar>("tabChoose");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
        EXPECT_EQ(tabs->currentIndex(), 5);
        EXPECT_FALSE(window.close());
    });
    tick();
    EXPECT_TRUE(sampled);
    expectIdle();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(VersionCheck, UntickingDoesNothing)
{
    box()->setChecked(false);
    EXPECT_EQ(status()->text(), "Done.");
    EXPECT_TRUE(server.requests().isEmpty());
}

} // namespace
} // namespace vandrel
