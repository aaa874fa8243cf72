#include "app/ListCopy.h"
#include "app/frmMain.h"
#include "net/CurlTransfer.h"
#include "support/FakeTransfer.h"
#include "support/LoopbackServer.h"
#include "support/UrlCatcher.h"
#include "support/WindowTesting.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkProxy>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>

// Readable failure messages for texts and lists of texts.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace vandrel {
namespace {

using test::FakeTransfer;
using test::LoopbackServer;

// The window on a scripted transfer, shown and active, so that keys reach it.
class Desktop : public ::testing::Test
{
protected:
    Desktop() : transfer(new FakeTransfer), window(transfer)
    {
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <class T> T* find(const QString& name) const { return test::Control<T>(window, name); }
    QTabBar* tabs() const { return find<QTabBar>(QStringLiteral("tabChoose")); }
    void showPage(int tab) { test::ShowPage(window, tab); }

    FakeTransfer* transfer;
    frmMain window;
};

struct ListOnPage
{
    int tab;
    const char* name;
};

const ListOnPage Lists[] = {
    {0, "lstKrock"}, {1, "lstCDDB"}, {2, "lstCDDBSongs"}, {3, "lstCharts"}, {4, "lstHot97"},
};

class ListCopy : public Desktop
{
protected:
    // Shows the list's page and fills the list with `rows` rows of cells "r<row>c<column>".
    QTreeWidget* filled(const ListOnPage& on, int rows = 3)
    {
        showPage(on.tab);
        auto* list = find<QTreeWidget>(QString::fromLatin1(on.name));
        for (int r = 0; r < rows; ++r) {
            auto* row = new QTreeWidgetItem(list);
            for (int c = 0; c < list->columnCount(); ++c)
                row->setText(c, QStringLiteral("r%1c%2").arg(r).arg(c));
        }
        list->setFocus();
        return list;
    }
    static QString line(int row, const QList<int>& columns)
    {
        QStringList cells;
        for (int c : columns)
            cells << QStringLiteral("r%1c%2").arg(row).arg(c);
        return cells.join(u'\t') + u'\n';
    }
    static QList<int> inOrder(const QTreeWidget* list)
    {
        QList<int> columns;
        for (int c = 0; c < list->columnCount(); ++c)
            columns << c;
        return columns;
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
};

TEST_F(ListCopy, CtrlCCopiesTheSelectedRowsOfEveryListInTheirOrder)
{
    for (const ListOnPage& on : Lists) {
        QTreeWidget* list = filled(on);
        // Selected last row first: the copy still follows the list.
        list->topLevelItem(2)->setSelected(true);
        list->topLevelItem(0)->setSelected(true);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(clipboard(), line(0, inOrder(list)) + line(2, inOrder(list))) << on.name;
    }
}

TEST_F(ListCopy, ColumnsFollowTheOrderTheHeaderShows)
{
    QTreeWidget* list = filled(Lists[0], 1);
    list->header()->moveSection(3, 0);
    list->header()->moveSection(3, 1);
    list->topLevelItem(0)->setSelected(true);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "r0c3\tr0c2\tr0c0\tr0c1\n");
}

TEST_F(ListCopy, TabsAndLineBreaksInACellDoNotSplitIt)
{
    QTreeWidget* list = filled(Lists[4], 1);
    list->topLevelItem(0)->setText(1, QStringLiteral("Earth,\tWind\r\n& Fire"));
    list->topLevelItem(0)->setSelected(true);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "r0c0\tEarth, Wind  & Fire\tr0c2\n");
}

TEST_F(ListCopy, NothingSelectedLeavesTheClipboardAlone)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTreeWidget* list = filled(Lists[1]);
    list->clearSelection();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(), "before");
}

TEST_F(ListCopy, CtrlASelectsEveryRow)
{
    QTreeWidget* list = filled(Lists[2]);
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard(),
              line(0, inOrder(list)) + line(1, inOrder(list)) + line(2, inOrder(list)));
}

TEST_F(ListCopy, ContextMenuOffersCopyAndSelectAll)
{
    QTreeWidget* list = filled(Lists[3], 2);
    list->topLevelItem(1)->setSelected(true);
    QStringList offered;
    QTimer::singleShot(0, [&offered] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions())
            offered << action->text();
        QTest::mouseClick(menu, Qt::LeftButton, {},
                          menu->actionGeometry(menu->actions().value(0)).center());
    });
    const QPoint at = list->viewport()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    EXPECT_EQ(offered, QStringList({"Copy", "Select All"}));
    EXPECT_EQ(clipboard(), line(1, inOrder(list)));
}

TEST(SelectedRowsText, HiddenColumnsAreLeftOut)
{
    QTreeWidget list;
    list.setColumnCount(3);
    auto* row = new QTreeWidgetItem(&list, {"1", "Artist", "Song"});
    row->setSelected(true);
    list.header()->hideSection(1);
    EXPECT_EQ(selectedRowsText(list), "1\tSong\n");
}

// The shape of the application's override cursor, or -1 when there is none.
int overrideShape()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? int(cursor->shape()) : -1;
}

struct Outcome
{
    const char* name;
    QList<int> states;
    std::optional<Failure> refusal;
    friend void PrintTo(const Outcome& o, std::ostream* os) { *os << o.name; }
};

class BusyCursor : public Desktop, public ::testing::WithParamInterface<Outcome>
{
};

TEST_P(BusyCursor, ShownWhileTheTransferRunsAndRestoredAtItsEnd)
{
    transfer->states = GetParam().states;
    transfer->refusal = GetParam().refusal;
    QList<int> duringStates;
    QObject::connect(transfer, &TransferControl::StateChanged, transfer,
                     [&duringStates] { duringStates << overrideShape(); });
    std::optional<int> duringBox;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&duringBox] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            duringBox = overrideShape();
            box->accept();
        }
    });
    closer.start(10);

    QTest::mouseClick(find<QPushButton>(QStringLiteral("cmdGet")), Qt::LeftButton);

    EXPECT_EQ(duringStates, QList<int>(GetParam().states.size(), Qt::BusyCursor));
    EXPECT_EQ(duringBox.has_value(), GetParam().refusal.has_value());
    // The message box asks the user to act: it comes with the ordinary pointer.
    EXPECT_EQ(duringBox.value_or(-1), -1);
    EXPECT_EQ(overrideShape(), -1);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, BusyCursor,
    ::testing::Values(Outcome{"Completed", {1, 2, 3, 4, 5, 6, 7, 8, 12}, std::nullopt},
                      Outcome{"Failed", {1, 2, 3, 4, 11}, std::nullopt},
                      Outcome{"Refused",
                              {},
                              Failure(CurlTransfer::StillExecutingError,
                                      "Still executing last request")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BusyCursorOnTheNetwork, RestoredWhenTheServerFallsSilent)
{
    LoopbackServer silent;
    LoopbackServer::Reply nothing;
    nothing.stallAfter = 0;
    nothing.closeAfter = false;
    silent.setReply(nothing);
    test::UseProxy(silent.port());
    auto* transfer = new CurlTransfer(nullptr, 300);
    frmMain window(transfer);
    window.show();
    QList<int> duringStates, states;
    QObject::connect(transfer, &TransferControl::StateChanged, transfer, [&](int state) {
        states << state;
        duringStates << overrideShape();
    });

    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdGet")), Qt::LeftButton);
    test::UseNoProxy();

    ASSERT_FALSE(states.isEmpty());
    EXPECT_EQ(states.last(), 11);
    EXPECT_EQ(silent.requests().size(), 1);
    EXPECT_EQ(duringStates, QList<int>(states.size(), Qt::BusyCursor));
    EXPECT_EQ(overrideShape(), -1);
}

const char* const Controls[] = {
    "tabChoose",  "fraMain(0)", "lstKrock",   "cmdGet",       "fraMain(1)",   "lstCDDB",
    "cmbCDDB",    "cmdCDDB",    "fraMain(2)", "lstCDDBSongs", "cmbCDDBSongs", "cmdCDDBSongs",
    "fraMain(3)", "lstCharts",  "cmbCharts",  "cmdCharts",    "fraMain(4)",   "lstHot97",
    "cmdHot97",   "fraMain(5)", "lblAbout",   "lblWebPage",   "chkUpdate",    "lblStatus",
};

QString announcedName(QWidget* control)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}

TEST_F(Desktop, EveryControlIsAnnouncedByName)
{
    for (const char* name : Controls)
        EXPECT_FALSE(announcedName(find<QWidget>(QString::fromLatin1(name))).isEmpty()) << name;
    const std::pair<const char*, const char*> captions[] = {
        {"fraMain(0)", "Top Airplay & Requested Songs:"},
        {"cmdGet", "Get"},
        {"chkUpdate", "Check Version?"},
        {"lblWebPage", "Program Website"},
        {"lblStatus", "Done."},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(announcedName(find<QWidget>(QString::fromLatin1(name))), caption) << name;
}

TEST_F(Desktop, ControlsWithoutCaptionHaveNamesOfTheirOwn)
{
    const std::pair<const char*, const char*> names[] = {
        {"tabChoose", "Pages"},
        {"lstKrock", "This Week:, Last Week:, Artist:, Song:"},
        {"lstCDDB", "This Week:, Artist:, Album:"},
        {"lstCDDBSongs", "This Week:, Artist:, Song:, Album:"},
        {"lstCharts", "This Week:, Last Week:, Weeks On Chart:, Artist:, Song:, Peak:"},
        {"lstHot97", "Rank:, Artist:, Song:"},
        {"cmbCDDB", "Genre"},
        {"cmbCDDBSongs", "Genre"},
        {"cmbCharts", "Chart"},
    };
    for (const auto& [name, expected] : names)
        EXPECT_EQ(find<QWidget>(QString::fromLatin1(name))->accessibleName(), expected) << name;
    EXPECT_EQ(find<QWidget>(QStringLiteral("lblStatus"))->accessibleDescription(), "Status");
}

class Keyboard : public Desktop
{
protected:
    // Every page is enabled until the first switch, so the walk starts with one.
    Keyboard()
    {
        tabs()->setFocus();
        QTest::keyClick(tabs(), Qt::Key_Right);
        QTest::keyClick(tabs(), Qt::Key_Left);
    }

    // Picks the tab with the arrow keys, then walks the focus with Tab back to the tab strip.
    QStringList tabThroughPage(int tab)
    {
        tabs()->setFocus();
        while (tabs()->currentIndex() != tab)
            QTest::keyClick(tabs(), tabs()->currentIndex() < tab ? Qt::Key_Right : Qt::Key_Left);
        QStringList reached;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (QApplication::focusWidget() == tabs())
                break;
            reached << QApplication::focusWidget()->objectName();
        }
        return reached;
    }
};

TEST_F(Keyboard, TabReachesEveryControlOfEachPage)
{
    const QStringList pages[] = {
        {"lstKrock", "cmdGet"},
        {"lstCDDB", "cmbCDDB", "cmdCDDB"},
        {"cmdCDDBSongs", "cmbCDDBSongs", "lstCDDBSongs"},
        {"lstCharts", "cmbCharts", "cmdCharts"},
        {"cmdHot97", "lstHot97"},
        {"lblWebPage", "chkUpdate"},
    };
    for (int tab = 0; tab < 6; ++tab)
        EXPECT_EQ(tabThroughPage(tab), pages[tab]) << "page " << tab;
}

TEST_F(Keyboard, SpacePressesEveryButtonAndTicksTheBox)
{
    const std::pair<int, const char*> triggers[] = {
        {0, "cmdGet"},    {1, "cmdCDDB"},  {2, "cmdCDDBSongs"},
        {3, "cmdCharts"}, {4, "cmdHot97"}, {5, "chkUpdate"},
    };
    for (const auto& [tab, name] : triggers) {
        const QStringList reached = tabThroughPage(tab);
        ASSERT_TRUE(reached.contains(QString::fromLatin1(name))) << name;
        auto* control = find<QWidget>(QString::fromLatin1(name));
        while (QApplication::focusWidget() != control)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const int before = transfer->executeCalls;
        QTest::keyClick(control, Qt::Key_Space);
        EXPECT_EQ(transfer->executeCalls, before + 1) << name;
    }
}

TEST_F(Keyboard, EnterOrSpaceOnTheLinkOpensTheWebsite)
{
    test::UrlCatcher catcher;
    auto* link = find<QLabel>(QStringLiteral("lblWebPage"));
    ASSERT_TRUE(tabThroughPage(5).contains("lblWebPage"));
    while (QApplication::focusWidget() != link)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    const QFont before = link->font();
    QTest::keyClick(link, Qt::Key_Return);
    QTest::keyClick(link, Qt::Key_Space);
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[0].toString(), "http://vandrel.example.org/vb/vandrel/");
    // The hover highlight stays the mouse's business.
    EXPECT_EQ(link->font(), before);
}

struct Finished
{
    int exitCode;
    QString out;
};

// Runs the built program, with no display at all unless `withDisplay` gives it the offscreen one.
Finished runProgram(const QStringList& arguments, bool withDisplay = false)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QString::fromLatin1(name));
    if (withDisplay)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VANDREL_PROGRAM), arguments);
    EXPECT_TRUE(program.waitForFinished(30000));
    return {program.exitCode(), QString::fromLocal8Bit(program.readAllStandardOutput() +
                                                       program.readAllStandardError())};
}

TEST(CommandLine, VersionAndHelpAnswerWithoutADisplay)
{
    const Finished version = runProgram({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "Vandrel 0.1.161\n");
    const Finished help = runProgram({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("--version")) << help.out.toStdString();
}

TEST(CommandLine, UnknownOptionIsRefused)
{
    const Finished run = runProgram({QStringLiteral("--colour")}, true);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.out.contains("Unknown option 'colour'")) << run.out.toStdString();
}

} // namespace
} // namespace vandrel
