#include "app/frm_main.h"
#include "app/tab_strip.h"
#include "net/curl_transfer.h"
#include "net/qt_text.h"
#include "sample/demo/demo_server.h"
#include "sample/pages/sample_pages.h"
#include "sample/server/sample_server.h"
#include "sources/chart_source.h"
#include "support/fake_transfer.h"
#include "support/golden_rows.h"
#include "support/loopback_server.h"
#include "support/window_testing.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <map>

namespace vandrel::test {
namespace {

using Pages = std::tuple<int, int, QList<int>>;
using Act = std::function<void(QTabBar& tabs, QWidget& window)>;

// The About page follows the sources' pages.
const int About = int(allSources().size());

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

    QTabBar* tabs() const { return control<QTabBar>(window, "tabChoose"); }
    QWidget* page(int i) const { return control(window, QStringLiteral("fraMain(%1)").arg(i)); }
    static Pages only(int page) { return {page, page, {page}}; }

    // The selected tab, the page the user sees (the one whose control fills the middle of the
    // page area) and the pages that take input; only(-1) once the window has closed.
    Pages pages() const
    {
        if (!window.isVisible())
            return only(-1);
        Pages seen{tabs()->currentIndex(), -1, {}};
        for (int i = 0; i <= About; ++i) {
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
        auto* button = control<QAbstractButton>(window, trigger);
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
        press(button);
        EXPECT_TRUE(ran) << trigger << " started no transfer";
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(button->isEnabled() && !button->isChecked());
    }

    FakeTransfer* transfer;
    frmMain window;
};

Act key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    // Plain keys go to the tab strip, shortcuts to the window.
    return [=](QTabBar& t, QWidget& w) { QTest::keyClick(modifiers ? &w : &t, key, modifiers); };
}

// One way of changing the page or closing the window, tried while the page it starts on runs
// a transfer (a source's Get on page 2, the version check on the About page), then once more
// after it: the page it leads to (-1: the window closes).
const Window::ParamType Actions[] = {
    {"ClickTab", About, About - 1, [](QTabBar&, QWidget& w) { showPage(w, About - 1); }},
    {"ClickFirstTab", 2, 0, [](QTabBar&, QWidget& window) { showPage(window, 0); }},
    {"Left", 2, 1, key(Qt::Key_Left)},
    {"Right", 2, 3, key(Qt::Key_Right)},
    {"Home", 2, 0, key(Qt::Key_Home)},
    {"End", 2, About, key(Qt::Key_End)},
    {"CtrlTab", 2, 3, key(Qt::Key_Tab, Qt::ControlModifier)},
    {"CtrlShiftTab", 2, 1, key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier)},
    {"CtrlPageDown", 2, 3, key(Qt::Key_PageDown, Qt::ControlModifier)},
    {"CtrlPageUp", 2, 1, key(Qt::Key_PageUp, Qt::ControlModifier)},
    {"Wheel", 2, 3,
     [](QTabBar& tabs, QWidget&) {
         QWheelEvent down({}, {}, {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
         QApplication::sendEvent(&tabs, &down);
     }},
    {"Close", About, -1, [](QTabBar&, QWidget& window) { window.close(); }},
};

TEST_P(Window, ChangesPageOrClosesOnlyWhenNoTransferRuns)
{
    const auto& [name, from, to, act] = GetParam();
    // The window opens on page 0 with every page taking input; a click on the selected tab
    // changes nothing.
    showPage(window, 0);
    const auto [selected, seen, enabled] = pages();
    EXPECT_TRUE(selected == 0 && seen == 0 && enabled.size() == About + 1) << enabled.size();
    showPage(window, from);
    whileDownloading(from == About ? "chkUpdate" : "cmdCDDBSongs", [&, from = from, &act = act] {
        act(*tabs(), window);
        EXPECT_EQ(pages(), only(from));
    });
    act(*tabs(), window);
    EXPECT_EQ(pages(), only(to));
}

INSTANTIATE_TEST_SUITE_P(EveryWay, Window, ::testing::ValuesIn(Actions),
                         [](const auto& info) { return std::string(std::get<0>(info.param)); });

// The window opens idle on the first items; a transfer that fails (Failed) or is refused
// gives its trigger and the cursor back as one that succeeds does.
TEST_F(Window, OpensIdleAndAFailedOrRefusedTransferGivesItsTriggerBack)
{
    EXPECT_EQ(window.windowTitle(), "Vandrel...  (vandrel.example.org)");
    EXPECT_EQ(statusText(window), "Done.");
    for (const QComboBox* choices : window.findChildren<QComboBox*>())
        EXPECT_EQ(choices->currentIndex(), 0) << choices->objectName().toStdString();
    // An extraction that fails midway keeps the rows before the failure: the fields of K-Rock's
    // row 1,490 lie past the 16-bit positions.
    transfer->body = {"<!--END HEADER--></tr>--\r\n" +
                      QStringLiteral("r0000\r\nl\r\na\r\ns\r\nx\r\ny\r\n").repeated(1600) +
                      "</table>"};
    whileDownloading("cmdGet", [] {});
    EXPECT_EQ(control<QTreeWidget>(window, "lstKrock")->topLevelItemCount(), 1489);
    EXPECT_TRUE(
        statusText(window).startsWith("An error occured while processing the list: Overflow."));
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
    showPage(window, About);
    whileDownloading("chkUpdate", closeBox);
    EXPECT_EQ(statusText(window), "Version check failed: Cannot start");
}

// Every control of the layout's six pages stands where it is drawn (pages/window_layout.tsv),
// and Tab visits the ones that take the keyboard in the layout's order; a page added later takes
// turns of its own among them.
TEST_F(Window, ControlsStandWhereTheLayoutDrawsThem)
{
    QFile file(VANDREL_TEST_PAGES "/window_layout.tsv");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::map<int, QString> turns;
    for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
        const QStringList f = line.split('\t');
        if (f.size() != 7)
            continue;
        QWidget* widget = control(window, f[0]);
        const QRect drawn(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
        const QRect shown = widget->geometry();
        EXPECT_TRUE(f[6] == "grows" ? shown.contains(drawn) : shown == drawn)
            << f[0].toStdString() << " stands at " << shown.x() << "," << shown.y() << " "
            << shown.width() << "x" << shown.height();
        if (widget->focusPolicy() & Qt::TabFocus)
            turns[f[5].toInt()] = f[0];
    }
    QStringList expected;
    for (const auto& [turn, name] : turns)
        expected << name;
    QStringList visited;
    QWidget* at = tabs();
    do {
        if (expected.contains(at->objectName()))
            visited << at->objectName();
        at = at->nextInFocusChain();
    } while (at != tabs());
    EXPECT_EQ(visited, expected);
}

// The layout's six tabs (its five sources and About) fit the strip whole, without scroll
// buttons; with one more the buttons appear and reach the last tab, every caption still whole.
TEST_F(Window, TabCaptionsStayWholeAndScrollOnceTheyNoLongerFit)
{
    for (const int count : {6, 7}) {
        TabStrip strip;
        strip.setGeometry(tabs()->geometry());
        for (const int i : {0, 1, 2, 3, 4, About, 0})
            if (strip.count() < count)
                strip.addTab(tabs()->tabText(i));
        strip.fitTabs();
        strip.show();
        auto* left = strip.findChild<QToolButton*>(QStringLiteral("ScrollLeftButton"));
        auto* right = strip.findChild<QToolButton*>(QStringLiteral("ScrollRightButton"));
        ASSERT_TRUE(left && right);
        EXPECT_EQ(right->isVisible(), count > 6) << count << " tabs";
        EXPECT_EQ(right->geometry().bottom(), strip.tabRect(0).bottom()) << "below the row of tabs";
        for (int i = 0; right->isVisible() && i < count; ++i)
            QTest::mouseClick(right, Qt::LeftButton);
        EXPECT_LE(strip.tabRect(count - 1).right(), right->isVisible() ? left->x() : strip.width());
        for (int i = 0; i < count; ++i)
            EXPECT_GE(strip.tabRect(i).width(),
                      strip.fontMetrics().horizontalAdvance(strip.tabText(i)))
                << strip.tabText(i).toStdString();
    }
}

// Drops `url` onto the list of source page `page` as a file manager or a browser does, the event
// passing up to whichever widget takes it; true when one did.
bool drop(const QWidget& window, int page, const QUrl& url)
{
    QMimeData data;
    data.setUrls({url});
    QWidget* list = control(window, QStringLiteral("fraMain(%1)").arg(page))->findChild<QWidget*>();
    QDragEnterEvent enter({}, Qt::CopyAction, &data, Qt::LeftButton, {});
    QDropEvent dropped({}, Qt::CopyAction, &data, Qt::LeftButton, {});
    return QApplication::sendEvent(list, &enter) && enter.isAccepted() &&
           QApplication::sendEvent(list, &dropped) && dropped.isAccepted();
}

// Opens `path` with Ctrl+O, typing its name into the file dialog as a user does. The offscreen
// platform activates neither the dialog nor, once it has closed, the window.
void openWithCtrlO(QWidget& window, const QString& path)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QTimer::singleShot(0, &window, [path] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QApplication::setActiveWindow(dialog);
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QTest::keyClicks(name, path);
        QTest::keyClick(name, Qt::Key_Return);
    });
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
}

// Each source page lists a saved page dropped onto it, with the first choice of its drop-down,
// and one opened with Ctrl+O, with the last, as "Get" lists the same page downloaded; the caption
// names the choice. A dropped link is downloaded as "Get" downloads; while a transfer runs,
// nothing is dropped.
TEST_F(Window, ListsASavedPageDroppedOrOpened)
{
    for (int s = 0; s < int(allSources().size()); ++s) {
        const ChartSource& source = *allSources()[s];
        showPage(window, s);
        auto* choices = page(s)->findChild<QComboBox*>();
        for (const std::u16string_view choice :
             {source.choicesOrNone().front(), source.choicesOrNone().back()}) {
            if (choices)
                choices->setCurrentText(qt(choice));
            const QString file = goldenFile(source, choice) + ".html";
            if (choice == source.choicesOrNone().front())
                EXPECT_TRUE(drop(window, s, QUrl::fromLocalFile(file)));
            else
                openWithCtrlO(window, file);
            EXPECT_EQ(rowsOf(*page(s)), goldenList(source, choice).rows);
            EXPECT_EQ(
                QAccessible::queryAccessibleInterface(page(s))->text(QAccessible::Name),
                qt(choices ? source.choiceCaption(choice) : source.caption).replace("&&", "&"));
            EXPECT_TRUE(statusText(window).startsWith("Done. ("));
        }
    }
    const QUrl link("http://archive.example/web/20010324000000/list.html");
    showPage(window, 0);
    whileDownloading("cmdGet", [&] { EXPECT_FALSE(drop(window, 0, link)); });
    transfer->autoFinish = true;
    transfer->body = {goldenList(*allSources()[0], {}).page};
    ASSERT_TRUE(drop(window, 0, link));
    EXPECT_EQ(transfer->url, link.toString());
    EXPECT_EQ(rowsOf(*page(0)), goldenList(*allSources()[0], {}).rows);
    // A file that is no page leaves an empty list and a status that says why.
    EXPECT_TRUE(drop(window, 0, QUrl::fromLocalFile("/dev/zero")) && rowsOf(*page(0)).isEmpty());
    EXPECT_EQ(statusText(window), "\"/dev/zero\" is not a regular file.");
}

// Row `r` as copied when the header shows the first two columns swapped. Every cell holds a
// tab and a line break, which the copy turns into blanks.
QString copied(int r, int columns)
{
    QStringList cells;
    for (int c : QList<int>{1, 0, 2, 3, 4, 5}.first(columns))
        cells << QStringLiteral("r%1 c%2  ").arg(r).arg(c);
    return cells.join(u'\t') + u'\n';
}

// Picks the first item, "Copy", from the list's context menu.
void copyFromMenu(QTreeWidget& list)
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
    for (int i = 0; i < int(allSources().size()); ++i) {
        auto* list = page(i)->findChild<QTreeWidget*>();
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
        EXPECT_EQ(clipboard->text(), "before") << i;
        list->topLevelItem(2)->setSelected(true);
        list->topLevelItem(0)->setSelected(true);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard->text(), copied(0, columns) + copied(2, columns)) << i;
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        copyFromMenu(*list);
        EXPECT_EQ(clipboard->text(), copied(0, columns) + copied(1, columns) + copied(2, columns));
    }
}

// The link highlights under the mouse and only the bare page turns it plain; a click, Enter
// and Space open the website.
TEST_F(Window, AboutLinkHighlightsUnderTheMouseAndOpensTheWebsite)
{
    showPage(window, About);
    // The whole text, its lines CR LF apart, against pages/about.txt with the build's version.
    QFile about(VANDREL_TEST_PAGES "/about.txt");
    ASSERT_TRUE(about.open(QIODevice::ReadOnly));
    EXPECT_EQ(control<QLabel>(window, "lblAbout")->text(),
              QString(about.readAll().trimmed())
                  .replace("@VERSION@", VANDREL_VERSION)
                  .replace("\n", "\r\n"));
    // Bold alone does not count as highlighted: only underline is tested.
    QFont boldOnly = control(window, "lblWebPage")->font();
    boldOnly.setBold(true);
    control(window, "lblWebPage")->setFont(boldOnly);
    // Where the mouse moves to, and the link's look then: 2 for underline plus 1 for bold.
    const QString bare = page(About)->objectName();
    const std::tuple<QString, QPoint, int> moves[] = {
        {"lblAbout", {}, 1},  {"lblWebPage", {}, 3},     {"lblAbout", {}, 3},
        {"chkUpdate", {}, 3}, {"tabChoose", {10, 5}, 3}, {"lblWebPage", {2, 2}, 3},
        {bare, {4, 200}, 0},  {"lblWebPage", {}, 3},
    };
    for (const auto& [name, at, look] : moves) {
        QWidget* target = control(window, name);
        QTest::mouseMove(target, at.isNull() ? target->rect().center() : at);
        const QFont link = control(window, "lblWebPage")->font();
        EXPECT_EQ(link.underline() * 2 + link.bold(), look)
            << "the link's look (2: underlined, 1: bold) after a move over " << name.toStdString();
    }
    UrlCatcher browser;
    QTest::mouseClick(control(window, "lblWebPage"), Qt::LeftButton);
    tabs()->setFocus();
    QTest::keyClick(tabs(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), control(window, "lblWebPage"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(browser.opened, QStringList(3, "http://vandrel.example.org/vb/vandrel/"));
}

// The window on the real HTTP client as --demo runs it: every built-in address goes to the
// sample server inside the program, whatever the environment exempts from the proxy.
class EndToEnd : public ::testing::Test
{
protected:
    EndToEnd() : inetGet(new CurlTransfer), window(inetGet, frmMain::Charts::Sample)
    {
        qputenv("no_proxy", "*");
        EXPECT_TRUE(demo::startSampleServer("window_test", false));
        demo::routeToSampleServer(*inetGet);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~EndToEnd() override { qunsetenv("no_proxy"); }

    CurlTransfer* inetGet;
    frmMain window;
};

// Each page, for each drop-down item, shows the golden rows of the sample page and how many they
// are; a page that fails shows why, and no count.
TEST_F(EndToEnd, EveryGetButtonShowsWhatItsPageHolds)
{
    static const QRegularExpression done(
        QStringLiteral("^Done\\. \\(\\d+[.,]\\d secs\\)\r\n\\((\\d+) Found\\)$"));
    EXPECT_EQ(window.windowTitle(), "Vandrel...  (vandrel.example.org) - sample charts");
    for (int s = 0; s < int(allSources().size()); ++s) {
        const ChartSource& source = *allSources()[s];
        showPage(window, s);
        auto* page = control(window, QStringLiteral("fraMain(%1)").arg(s));
        const QString name = QString::fromStdString(std::string(source.name)) + " page ";
        for (const std::u16string_view item : source.choicesOrNone()) {
            const QUrl address(qt(source.address(item)));
            SCOPED_TRACE(address.toString().toStdString());
            const GoldenList golden = goldenList(source, item);
            // The saved page is still the one served, so the golden rows are still its rows.
            const auto served = servedPage(source, item);
            EXPECT_EQ(served ? QString::fromStdString(served->body).replace("&amp;", "&") : "",
                      golden.page);
            if (auto* choice = page->findChild<QComboBox*>())
                choice->setCurrentText(qt(item));
            press(page->findChild<QAbstractButton*>());
            // A caption's "&&" shows as one "&".
            EXPECT_EQ(QAccessible::queryAccessibleInterface(page)->text(QAccessible::Name),
                      qt(source.choiceCaption ? source.choiceCaption(item) : source.caption)
                          .replace("&&", "&"));
            const bool listed = !golden.page.isEmpty() && golden.error.isEmpty();
            EXPECT_EQ(done.match(statusText(window)).captured(1),
                      listed ? QString::number(golden.rows.size()) : QString());
            EXPECT_TRUE(statusText(window).contains(golden.error));
            // What the page lacks, in the tool tip: the next status text clears it.
            const QString note = golden.marker.isEmpty()
                                     ? ""
                                     : name + address.toString() + ": " + golden.marker + '.';
            const QWidget* status = control(window, "lblStatus");
            EXPECT_EQ(QTextDocumentFragment::fromHtml(status->toolTip()).toPlainText() + '|' +
                          status->accessibleDescription(),
                      note + '|' + (note.isEmpty() ? "Status" : note));
            EXPECT_EQ(rowsOf(*page), golden.rows);
        }
    }
}

TEST(VersionCheck, ShowsWhatThePageSaysAndEndsUnticked)
{
    frmMain window;
    window.show();
    const QString yours = QStringLiteral(VANDREL_VERSION " = Your Version\r\n");
    const std::tuple<QByteArray, QByteArray, QString> checks[] = {
        {"200 OK", "<p><!-- Version -->0.2.3<!-- Version -->", yours + "0.2.3 = Newest Version"},
        {"200 OK", "<!-- Version -->1\r\n<b>2</b>", yours + "1\r\n<b>2</b> = Newest Version"},
        {"200 OK", "<!-- VERSION -->0.2.3<!-- VERSION -->", yours + " = Newest Version"},
        {"404 Not Found", "", "Error 404 Not Found"},
        {"", "", "Error "}, // nothing listens
        {"200 OK", "<!-- Version -->" + QByteArray(40000, 'x'), "Version check failed: Overflow"},
    };
    showPage(window, About);
    auto* box = control<QCheckBox>(window, "chkUpdate");
    for (const auto& [code, body, status] : checks) {
        LoopbackServer server;
        server.setReply({LoopbackServer::response(code, {}, body)});
        useProxy(code.isEmpty() ? LoopbackServer::closedPort() : server.port());
        press(box);
        EXPECT_EQ(code.isEmpty() ? statusText(window).left(6) : statusText(window), status);
        EXPECT_TRUE(box->isEnabled() && !box->isChecked());
    }
}

// The whole answer to "GET target", on a connection of its own.
QByteArray fetch(quint16 port, const QByteArray& target)
{
    QTcpSocket socket;
    QSignalSpy closed(&socket, &QTcpSocket::disconnected);
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.write("GET " + target + " HTTP/1.1\r\nHost: www.example.com\r\n\r\n");
    closed.wait(30000);
    return socket.readAll();
}

// The server answers by path whatever the host, so it refuses to start when two pages claim one
// path, or when a source has no sample site.
TEST(SampleServer, AnswersAsServerAndAsProxyAndRefusesAPathClaimedTwice)
{
    sample::SampleServer sample;
    ASSERT_TRUE(sample.listen(0));
    const ChartSource* first = allSources().front();
    const QUrl address(qt(first->address({})));
    const QByteArray asProxy = fetch(sample.port(), address.toEncoded());
    EXPECT_TRUE(asProxy.startsWith("HTTP/1.1 200 ") &&
                asProxy == fetch(sample.port(), address.path().toUtf8()));
    EXPECT_TRUE(fetch(sample.port(), "/no/such/page.html").startsWith("HTTP/1.1 404 "));
    ChartSource stranger = *first;
    stranger.name = "stranger";
    const std::string name(first->name), path = address.path().toStdString();
    EXPECT_EQ(sample::routingError(std::array{first, first}),
              "the path " + path + " is claimed by " + name + " and " + name);
    EXPECT_EQ(sample::routingError(std::array<const ChartSource*, 1>{&stranger}),
              "no sample site for stranger");
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
        run.setEnvironment({"no_proxy=*"}); // no display, no platform plugin named, no proxy
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(QString::fromLatin1(program), arguments);
        ASSERT_TRUE(run.waitForFinished(30000));
        const QByteArray output = run.readAll();
        EXPECT_TRUE(run.exitStatus() == QProcess::NormalExit && output.contains(printed) &&
                    (exitCode < 0 ? run.exitCode() != 0 : run.exitCode() == exitCode))
            << output.data();
    }
}

// The sample server of --demo runs inside the program: no process of its own, no file, and its
// port closes with the program, also when SIGTERM ends it in the middle of an answer.
TEST(CommandLines, DemoLeavesNothingBehind)
{
    QTemporaryDir temporary;
    QProcess run;
    run.setEnvironment({"TMPDIR=" + temporary.path()});
    run.setReadChannel(QProcess::StandardError);
    run.start(VANDREL_FETCH, {"--demo", "--verbose", "billboard", "rap"});
    QByteArray said;
    while (!said.contains("Chatting with Host...") && run.waitForReadyRead(30000))
        said += run.readAll();
    const quint16 port = said.mid(said.indexOf("127.0.0.1:") + 10).split('/')[0].toUShort();
    ASSERT_NE(port, 0) << said.data();
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(run.processId()));
    EXPECT_TRUE(children.open(QIODevice::ReadOnly) && children.readAll().isEmpty());
    run.terminate();
    ASSERT_TRUE(run.waitForFinished(30000));
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_FALSE(probe.waitForConnected(30000));
    EXPECT_TRUE(QDir(temporary.path()).isEmpty());
}

} // namespace
} // namespace vandrel::test
