#include "app/frmMain.h"
#include "support/FakeTransfer.h"
#include "support/WindowTesting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

class WindowTest : public ::testing::Test
{
protected:
    WindowTest() : transfer(new test::FakeTransfer), window(transfer)
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <class T> T* find(const QString& name) const { return test::Control<T>(window, name); }
    QTabBar* tabs() const { return find<QTabBar>(QStringLiteral("tabChoose")); }
    QGroupBox* page(int i) const { return find<QGroupBox>(QStringLiteral("fraMain(%1)").arg(i)); }

    // The page the user sees: the topmost page under the middle of the page area.
    int pageInFront() const
    {
        QWidget* hit = window.childAt(page(0)->geometry().center());
        for (int i = 0; i < 6; ++i)
            if (hit == page(i) || page(i)->isAncestorOf(hit))
                return i;
        return -1;
    }

    void clickTab(int index)
    {
        QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(index).center());
    }

    test::FakeTransfer* transfer;
    frmMain window;
};

TEST_F(WindowTest, StartsOnFirstPageWithEverythingEnabled)
{
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(pageInFront(), 0);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(page(i)->isEnabled()) << i;
    EXPECT_EQ(find<QComboBox>(QStringLiteral("cmbCharts"))->currentText(), "Adult");
    EXPECT_EQ(find<QComboBox>(QStringLiteral("cmbCDDB"))->currentText(), "Alt");
    EXPECT_EQ(find<QComboBox>(QStringLiteral("cmbCDDBSongs"))->currentText(), "Alt");
    EXPECT_EQ(find<QLabel>(QStringLiteral("lblStatus"))->text(), "Done.");
    EXPECT_FALSE(find<QCheckBox>(QStringLiteral("chkUpdate"))->isChecked());
    EXPECT_EQ(window.windowTitle(), "Vandrel...  (vandrel.example.org)");
}

TEST_F(WindowTest, AllPagesShareOneRectangle)
{
    for (int i = 1; i < 6; ++i)
        EXPECT_EQ(page(i)->geometry(), page(0)->geometry()) << i;
    EXPECT_EQ(page(0)->geometry(), QRect(8, 24, 449, 329));
    EXPECT_EQ(window.size(), QSize(465, 405));
}

TEST_F(WindowTest, ClickingATabEnablesAndRaisesOnlyItsPage)
{
    for (int t : {3, 1, 5, 0, 4, 2}) {
        clickTab(t);
        EXPECT_EQ(tabs()->currentIndex(), t);
        EXPECT_EQ(pageInFront(), t);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(page(i)->isEnabled(), i == t) << "tab " << t << " page " << i;
    }
}

TEST_F(WindowTest, ClickingTheSelectedTabChangesNothing)
{
    clickTab(2);
    clickTab(2);
    EXPECT_EQ(pageInFront(), 2);
    EXPECT_TRUE(page(2)->isEnabled());
    EXPECT_FALSE(page(0)->isEnabled());
}

TEST_F(WindowTest, PageCaptionsAndTabTexts)
{
    const QStringList captions = {"Top Airplay && Requested Songs:",
                                  "Digital Top Ten Albums:",
                                  "Digital Top Ten Songs:",
                                  "Billboard Charts:",
                                  "Hot 97 Playlist:",
                                  "About the program:"};
    const QStringList tabTexts = {"K-Rock Radio",     "CDDB Albums", "CDDB Songs",
                                  "Billboard Charts", "Hot 97",      "About..."};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(page(i)->title(), captions[i]);
        EXPECT_EQ(tabs()->tabText(i), tabTexts[i]);
    }
    EXPECT_EQ(tabs()->tabToolTip(0), "92.3 FM");
    EXPECT_EQ(tabs()->tabToolTip(2), tabs()->tabToolTip(1));
    EXPECT_EQ(tabs()->tabToolTip(5), "About the program...");
}

TEST_F(WindowTest, PageZeroShowsOneAmpersandAndNoAccessKey)
{
    // The doubled ampersand is the escape: the drawn text holds a single one.
    const QString shown = page(0)->title().replace("&&", "&");
    EXPECT_EQ(shown, "Top Airplay & Requested Songs:");
    EXPECT_TRUE(QKeySequence::mnemonic(page(0)->title()).isEmpty());
}

TEST_F(WindowTest, ListsHaveTheirColumns)
{
    const std::pair<const char*, QStringList> lists[] = {
        {"lstKrock", {"This Week:", "Last Week:", "Artist:", "Song:"}},
        {"lstCDDB", {"This Week:", "Artist:", "Album:"}},
        {"lstCDDBSongs", {"This Week:", "Artist:", "Song:", "Album:"}},
        {"lstCharts", {"This Week:", "Last Week:", "Weeks On Chart:", "Artist:", "Song:", "Peak:"}},
        {"lstHot97", {"Rank:", "Artist:", "Song:"}},
    };
    for (const auto& [name, titles] : lists) {
        auto* list = find<QTreeWidget>(QString::fromLatin1(name));
        QStringList shown;
        for (int c = 0; c < list->columnCount(); ++c)
            shown << list->headerItem()->text(c);
        EXPECT_EQ(shown, titles) << name;
        EXPECT_FALSE(list->rootIsDecorated());
        EXPECT_EQ(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    }
    EXPECT_EQ(find<QTreeWidget>("lstKrock")->columnWidth(2), 147);
}

TEST_F(WindowTest, DropDownsHoldTheirItems)
{
    EXPECT_EQ(find<QComboBox>("cmbCDDB")->count(), 18);
    EXPECT_EQ(find<QComboBox>("cmbCDDBSongs")->count(), 12);
    auto* charts = find<QComboBox>("cmbCharts");
    ASSERT_EQ(charts->count(), 12);
    EXPECT_EQ(charts->itemText(4), "Dance_Radio");
    EXPECT_EQ(charts->itemText(6), "Hot100");
    EXPECT_FALSE(charts->isEditable());
}

TEST_F(WindowTest, TabOrderFollowsTheDesign)
{
    QStringList seen;
    QWidget* w = find<QWidget>("tabChoose");
    for (int i = 0; i < 16; ++i) {
        seen << w->objectName();
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty())
            w = w->nextInFocusChain();
    }
    EXPECT_EQ(seen,
              QStringList({"tabChoose", "lstKrock", "cmdGet", "lstCDDB", "cmbCDDB", "cmdCDDB",
                           "cmdCDDBSongs", "lstCharts", "cmbCharts", "cmdCharts", "lblWebPage",
                           "cmdHot97", "lstHot97", "chkUpdate", "cmbCDDBSongs", "lstCDDBSongs"}));
}

class WindowDuringTransfer : public WindowTest
{
protected:
    WindowDuringTransfer()
    {
        clickTab(3);
        transfer->setExecuting(true);
    }
    void expectStillOnPage3()
    {
        EXPECT_EQ(tabs()->currentIndex(), 3);
        EXPECT_EQ(pageInFront(), 3);
        EXPECT_TRUE(page(3)->isEnabled());
    }
};

TEST_F(WindowDuringTransfer, MouseClickOnAnotherTabIsRefused)
{
    clickTab(0);
    expectStillOnPage3();
    transfer->setExecuting(false);
    clickTab(0);
    EXPECT_EQ(pageInFront(), 0);
}

TEST_F(WindowDuringTransfer, KeyboardIsRefused)
{
    tabs()->setFocus();
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End})
        QTest::keyClick(tabs(), key);
    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_PageUp, Qt::ControlModifier);
    expectStillOnPage3();
    transfer->setExecuting(false);
    QTest::keyClick(&window, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pageInFront(), 4);
    QTest::keyClick(tabs(), Qt::Key_Left);
    EXPECT_EQ(pageInFront(), 3);
}

TEST_F(WindowDuringTransfer, WheelIsRefused)
{
    auto wheel = [this](int delta) {
        const QPoint at = tabs()->tabRect(3).center();
        QWheelEvent event(at, tabs()->mapToGlobal(at), {}, QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tabs(), &event);
    };
    wheel(-120);
    wheel(120);
    expectStillOnPage3();
    transfer->setExecuting(false);
    wheel(-120);
    EXPECT_NE(tabs()->currentIndex(), 3);
    EXPECT_EQ(pageInFront(), tabs()->currentIndex());
}

TEST_F(WindowDuringTransfer, CloseIsRefusedUntilTheTransferEnds)
{
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    transfer->setExecuting(false);
    EXPECT_TRUE(window.close());
}

} // namespace
} // namespace vandrel
