#include "app/frmMain.h"
#include "net/QtText.h"
#include "sources/chart_source.h"
#include "support/FakeTransfer.h"
#include "support/LoopbackServer.h"
#include "support/SampleRows.h"
#include "support/WindowTesting.h"
#include "tools/sample-server/SampleServer.h"
#include "tools/sample-server/sample_pages.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

namespace vandrel::test {
namespace {

using Pages = std::tuple<int, int, QList<int>>;
using Act = std::function<void(QTabBar& tabs, QWidget& window)>;

// The window on a scripted transfer that runs until the test lets it finish.
class Window : public ::testing::TestWithParam<std::tuple<const char*, int, int, Act>>
{
protected:
    Window() : transfer(new FakeTransfer), window(transfer)
    {
        transfer->autoFinish = false;
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window)); // for the shortcuts
    }

    QTabBar* tabs() const { return Control<QTabBar>(window, "tabChoose"); }
    QWidget* page(int i) const { return Control(window, QStringLiteral("fraMain(%1)").arg(i)); }
    static Pages only(int page) { return {page, page, {page}}; }

    // The selected tab, the page the user sees (the one whose control fills the middle of the
    // page area) and the pages that take input; only(-1) once the window has closed.
    Pages pages() const
    {
        if (!window.isVisible())
            return only(-1);
        Pages seen{tabs()->currentIndex(), -1, {}};
        for (int i = 0; i < 6; ++i) {
            if (page(i)->isAncestorOf(window.childAt(page(0)->geometry().center())))
                std::get<1>(seen) = i;
            if (page(i)->isEnabled())
                std::get<2>(seen) << i;
        }
        return seen;
    }

    // Presses `trigger`, which starts a transfer, and runs `during` before the transfer ends.
    // Meanwhile the trigger is disabled and the busy cursor shows (the ordinary pointer while a
    // refusal's message box waits for the user); afterwards the trigger is enabled (the check
    // box unticked) and the cursor normal.
    void whileDownloading(const char* trigger, const std::function<void()>& during)
    {
        auto* button = Control<QAbstractButton>(window, trigger);
        bool ran = false;
        const QObject scope; // a transfer that never started takes the timer with it
        QTimer::singleShot(0, &scope, [&] {
            ran = true;
            const QCursor* cursor = QGuiApplication::overrideCursor();
            EXPECT_EQ(cursor ? cursor->shape() : Qt::ArrowCursor,
                      transfer->refusal ? Qt::ArrowCursor : Qt::BusyCursor);
            EXPECT_FALSE(button->isEnabled());
            during();
            transfer->finish();
        });
        Press(button);
        EXPECT_TRUE(ran);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(button->isEnabled() && !button->isChecked());
    }

    FakeTransfer* transfer;
    frmMain window;
};

Act Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    // Plain keys go to the tab strip, shortcuts to the window.
    return [=](QTabBar& t, QWidget& w) { QTest::keyClick(modifiers ? &w : &t, key, modifiers); };
}

// One way of changing the page or closing the window, tried while the page it starts on runs
// a transfer (a source's Get on page 2, the version check on page 5), then once more after it:
// the page it leads to (-1: the window closes).
const Window::ParamType Actions[] = {
    {"ClickTab", 5, 4, [](QTabBar&, QWidget& window) { ShowPage(window, 4); }},
    {"Left", 2, 1, Key(Qt::Key_Left)},
    {"Right", 2, 3, Key(Qt::Key_Right)},
    {"Home", 2, 0, Key(Qt::Key_Home)},
    {"End", 2, 5, Key(Qt::Key_End)},
    {"CtrlTab", 2, 3, Key(Qt::Key_Tab, Qt::ControlModifier)},
    {"CtrlShiftTab", 2, 1, Key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier)},
    {"CtrlPageDown", 2, 3, Key(Qt::Key_PageDown, Qt::ControlModifier)},
    {"CtrlPageUp", 2, 1, Key(Qt::Key_PageUp, Qt::ControlModifier)},
    {"Wheel", 2, 3,
     [](QTabBar& tabs, QWidget&) {
         QWheelEvent down({}, {}, {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
         QApplication::sendEvent(&tabs, &down);
     }},
    {"Close", 5, -1, [](QTabBar&, QWidget& window) { window.close(); }},
};

TEST_P(Window, ChangesPageOrClosesOnlyWhenNoTransferRuns)
{
    const auto& [name, from, to, act] = GetParam();
    // The window opens on page 0 with every page taking input; a click on the selected tab
    // changes nothing.
    ShowPage(window, 0);
    EXPECT_EQ(pages(), Pages(0, 0, {0, 1, 2, 3, 4, 5}));
    ShowPage(window, from);
    // Init-captures: clang 14 cannot capture a structured binding itself.
    whileDownloading(from == 5 ? "chkUpdate" : "cmdCDDBSongs", [&, &action = act, start = from] {
        action(*tabs(), window);
        EXPECT_EQ(pages(), only(start));
    });
    act(*tabs(), window);
    EXPECT_EQ(pages(), only(to));
}

INSTANTIATE_TEST_SUITE_P(EveryWay, Window, ::testing::ValuesIn(Actions),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

// The window opens idle on the first items; a transfer that fails (state 11) or is refused
// gives its trigger and the cursor back as one that succeeds does.
TEST_F(Window, OpensIdleAndAFailedOrRefusedTransferGivesItsTriggerBack)
{
    EXPECT_EQ(Status(window), "Done.");
    for (const char* name : {"cmbCDDB", "cmbCDDBSongs", "cmbCharts"})
        EXPECT_EQ(Control<QComboBox>(window, name)->currentIndex(), 0) << name;
    transfer->states = {1, 2, 3, 4, 11};
    whileDownloading("cmdGet", [] {});
    // A refusal shows its box; the version check then says why it failed.
    transfer->refusal = Failure(-35, "Cannot start");
    const auto closeBox = [] {
        auto* box = QApplication::activeModalWidget();
        EXPECT_EQ(box->windowTitle() + '|' + box->property("text").toString(),
                  "InetGet Error...|Error: -35\r\nCannot start");
        box->close();
    };
    whileDownloading("cmdGet", closeBox);
    ShowPage(window, 5);
    whileDownloading("chkUpdate", closeBox);
    EXPECT_EQ(Status(window), "Version check failed: Cannot start");
}

// Row `r` as copied when the header shows the first two columns swapped. Every cell holds a
// tab and a line break, which the copy turns into blanks.
QString Copied(int r, int columns)
{
    QStringList cells;
    for (int c : QList<int>{1, 0, 2, 3, 4, 5}.first(columns))
        cells << QStringLiteral("r%1 c%2  ").arg(r).arg(c);
    return cells.join(u'\t') + u'\n';
}

// Picks the first item, "Copy", from the list's context menu.
void CopyFromMenu(QTreeWidget& list)
{
    QTimer::singleShot(0, &list, [] {
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, {10, 10}, list.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(list.viewport(), &event);
    // The offscreen platform leaves no window active once a popup has closed.
    QApplication::setActiveWindow(list.window());
}

TEST_F(Window, CopyGivesTheSelectedRowsInHeaderOrder)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    for (const char* name : {"lstKrock", "lstCDDB", "lstCDDBSongs", "lstCharts", "lstHot97"}) {
        auto* list = Control<QTreeWidget>(window, name);
        const int columns = list->columnCount();
        for (int r = 0; r < 3; ++r) {
            auto* row = new QTreeWidgetItem(list);
            for (int c = 0; c < columns; ++c)
                row->setText(c, QStringLiteral("r%1\tc%2\r\n").arg(r).arg(c));
        }
        list->header()->moveSection(0, 1);
        list->setFocus();
        clipboard->setText(QStringLiteral("before"));
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard->text(), "before") << name;
        list->topLevelItem(2)->setSelected(true);
        list->topLevelItem(0)->setSelected(true);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard->text(), Copied(0, columns) + Copied(2, columns)) << name;
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        CopyFromMenu(*list);
        EXPECT_EQ(clipboard->text(), Copied(0, columns) + Copied(1, columns) + Copied(2, columns));
    }
}

// The link highlights under the mouse and only the bare page turns it plain; a click, Enter
// and Space open the website.
TEST_F(Window, AboutLinkHighlightsUnderTheMouseAndOpensTheWebsite)
{
    ShowPage(window, 5);
    const QString about = Control<QLabel>(window, "lblAbout")->text();
    EXPECT_TRUE(about.startsWith("About Vandrel v" VANDREL_VERSION "\r\n")) << about.toStdString();
    // Bold alone does not count as highlighted: only underline is tested.
    QFont boldOnly = Control(window, "lblWebPage")->font();
    boldOnly.setBold(true);
    Control(window, "lblWebPage")->setFont(boldOnly);
    // Where the mouse moves to, and the link's look then: 2 for underline plus 1 for bold.
    const std::tuple<const char*, QPoint, int> moves[] = {
        {"lblAbout", {}, 1},         {"lblWebPage", {}, 3},     {"lblAbout", {}, 3},
        {"chkUpdate", {}, 3},        {"tabChoose", {10, 5}, 3}, {"lblWebPage", {2, 2}, 3},
        {"fraMain(5)", {4, 200}, 0}, {"lblWebPage", {}, 3},
    };
    for (const auto& [name, at, look] : moves) {
        QWidget* control = Control(window, name);
        QTest::mouseMove(control, at.isNull() ? control->rect().center() : at);
        const QFont link = Control(window, "lblWebPage")->font();
        EXPECT_EQ(link.underline() * 2 + link.bold(), look) << name;
    }
    UrlCatcher browser;
    QTest::mouseClick(Control(window, "lblWebPage"), Qt::LeftButton);
    tabs()->setFocus();
    QTest::keyClick(tabs(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Control(window, "lblWebPage"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(browser.opened, QStringList(3, "http://vandrel.example.org/vb/vandrel/"));
}

// The window on the real HTTP client, with every built-in address sent to the sample server.
class EndToEnd : public ::testing::Test
{
protected:
    EndToEnd()
    {
        EXPECT_TRUE(sample.listen(0));
        UseProxy(sample.port());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~EndToEnd() override { UseNoProxy(); }

    sample::SampleServer sample;
    frmMain window;
};

// Each page, for each drop-down item, shows what its extraction cuts out of the sample page
// and how many rows that is; the two items the sample server makes fail show no rows at all.
TEST_F(EndToEnd, EveryGetButtonShowsWhatItsPageHolds)
{
    static const QRegularExpression done(
        QStringLiteral("^Done\\. \\(\\d+[.,]\\d secs\\)\r\n\\((\\d+) Found\\)$"));
    for (int s = 0; s < int(AllSources().size()); ++s) {
        const ChartSource& source = *AllSources()[s];
        ShowPage(window, s);
        auto* page = Control(window, QStringLiteral("fraMain(%1)").arg(s));
        for (const std::u16string_view item : ChoicesOf(source)) {
            const QUrl address(qt(source.address(item)));
            SCOPED_TRACE(address.toString().toStdString());
            if (auto* choice = page->findChild<QComboBox*>())
                choice->setCurrentText(qt(item));
            Press(page->findChild<QAbstractButton*>());
            // A caption's "&&" shows as one "&".
            EXPECT_EQ(QAccessible::queryAccessibleInterface(page)->text(QAccessible::Name),
                      qt(source.choiceCaption ? source.choiceCaption(item) : source.caption)
                          .replace("&&", "&"));
            // The sample server makes these two fail.
            const auto expected = item == u"Celtic" || item == u"LatinTracks"
                                      ? QList<QStringList>()
                                      : SampleRows(source, item);
            EXPECT_EQ(done.match(Status(window)).captured(1),
                      expected.isEmpty() ? QString() : QString::number(expected.size()));
            auto* list = page->findChild<QTreeWidget*>();
            ASSERT_EQ(list->topLevelItemCount(), expected.size());
            for (int r = 0; r < list->topLevelItemCount(); ++r)
                for (int c = 0; c < list->columnCount(); ++c)
                    EXPECT_EQ(list->topLevelItem(r)->text(c), expected[r].value(c));
        }
    }
}

TEST_F(EndToEnd, VersionCheckShowsWhatThePageSaysAndEndsUnticked)
{
    const QString yours = QStringLiteral(VANDREL_VERSION " = Your Version\r\n");
    const std::tuple<QByteArray, QByteArray, QString> checks[] = {
        {"200 OK", "<p><!-- Version -->0.2.3<!-- Version -->", yours + "0.2.3 = Newest Version"},
        {"200 OK", "<!-- Version -->1\r\n<b>2</b>", yours + "1\r\n<b>2</b> = Newest Version"},
        {"200 OK", "<!-- VERSION -->0.2.3<!-- VERSION -->", yours + " = Newest Version"},
        {"404 Not Found", "", "Error 404 Not Found"},
        {"", "", "Error "}, // nothing listens
        {"200 OK", "<!-- Version -->" + QByteArray(40000, 'x'), "Version check failed: Overflow"},
    };
    ShowPage(window, 5);
    auto* box = Control<QCheckBox>(window, "chkUpdate");
    for (const auto& [code, body, status] : checks) {
        LoopbackServer server;
        server.setReply({LoopbackServer::response(code, {}, body)});
        UseProxy(code.isEmpty() ? LoopbackServer::closedPort() : server.port());
        Press(box);
        EXPECT_EQ(code.isEmpty() ? Status(window).left(6) : Status(window), status);
        EXPECT_TRUE(box->isEnabled() && !box->isChecked());
    }
}

// The whole answer to "GET target", on a connection of its own.
QByteArray Fetch(quint16 port, const QByteArray& target)
{
    QTcpSocket socket;
    QSignalSpy closed(&socket, &QTcpSocket::disconnected);
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write("GET " + target + " HTTP/1.1\r\nHost: www.example.com\r\n\r\n");
    closed.wait(30000);
    return socket.readAll();
}

TEST_F(EndToEnd, SampleServerAnswersAsServerAndAsProxy)
{
    const QUrl address(qt(KRockSource.address({})));
    const QByteArray asProxy = Fetch(sample.port(), address.toEncoded());
    EXPECT_TRUE(asProxy.startsWith("HTTP/1.1 200 ") &&
                asProxy == Fetch(sample.port(), address.path().toUtf8()));
    EXPECT_TRUE(Fetch(sample.port(), "/no/such/page.html").startsWith("HTTP/1.1 404 "));
}

// The built programs, with no display: "-platform offscreen" gives the window one. An exit
// code of -1 stands for any but 0.
TEST(CommandLines, AnswerOrRefuse)
{
    const std::tuple<const char*, QStringList, int, QByteArray> runs[] = {
        {VANDREL_PROGRAM, {"--version"}, 0, "Vandrel " VANDREL_VERSION "\n"},
        {VANDREL_PROGRAM, {"--help"}, 0, "--version"},
        {VANDREL_PROGRAM, {"-platform", "offscreen", "--colour"}, -1, "colour"},
        {VANDREL_SAMPLE_SERVER, {"--bogus"}, 2, "--help"},
        {VANDREL_SAMPLE_SERVER, {"--port", "abc"}, 2, "--help"},
    };
    for (const auto& [program, arguments, exitCode, printed] : runs) {
        QProcess run;
        run.setProcessEnvironment({}); // no display, no platform plugin named
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QString::fromLatin1(program), arguments);
        ASSERT_TRUE(run.waitForFinished(30000));
        const QByteArray output = run.readAll();
        EXPECT_TRUE(run.exitStatus() == QProcess::NormalExit && output.contains(printed) &&
                    (exitCode < 0 ? run.exitCode() != 0 : run.exitCode() == exitCode))
            << output.data();
    }
}

} // namespace
} // namespace vandrel::test
