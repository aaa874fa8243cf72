#include "app/frmMain.h"
#include "net/CurlTransfer.h"
#include "support/LoopbackServer.h"
#include "support/WindowTesting.h"
#include "tools/sample-server/SampleServer.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

using test::LoopbackServer;

struct Source
{
    int tab;
    const char* button;
    const char* list;
    const char* choice;  // null on pages without a drop-down list
    const char* caption; // the page caption for the choice, with %1 for the item
};

const Source Sources[] = {
    {0, "cmdGet", "lstKrock", nullptr, "Top Airplay && Requested Songs:"},
    {1, "cmdCDDB", "lstCDDB", "cmbCDDB", "Digital Top Ten Albums (%1):"},
    {2, "cmdCDDBSongs", "lstCDDBSongs", "cmbCDDBSongs", "Digital Top Ten Songs (%1):"},
    {3, "cmdCharts", "lstCharts", "cmbCharts", "Billboard Charts (%1):"},
    {4, "cmdHot97", "lstHot97", nullptr, "Hot 97 Playlist:"},
};

// The window with every built-in address sent to the sample server, as the demo runs it.
class SourcesEndToEnd : public ::testing::Test
{
protected:
    SourcesEndToEnd() : window(new CurlTransfer(nullptr, 5000))
    {
        EXPECT_TRUE(sample.listen(0));
        test::UseProxy(sample.port());
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~SourcesEndToEnd() override { test::UseNoProxy(); }

    template <class T> T* find(const QString& name) const { return test::Control<T>(window, name); }
    QTabBar* tabs() const { return find<QTabBar>(QStringLiteral("tabChoose")); }
    QString status() const { return find<QLabel>(QStringLiteral("lblStatus"))->text(); }
    QTreeWidget* list(const Source& s) const { return find<QTreeWidget>(s.list); }
    QPushButton* button(const Source& s) const { return find<QPushButton>(s.button); }

    void showPage(int tab) { test::ShowPage(window, tab); }
    void get(const Source& s, const QString& choice = {})
    {
        showPage(s.tab);
        if (s.choice)
            find<QComboBox>(s.choice)->setCurrentText(choice);
        QTest::mouseClick(button(s), Qt::LeftButton);
    }
    void expectDone(const Source& s, const QString& choice)
    {
        static const QRegularExpression done(
            QStringLiteral("^Done\\. \\(\\d+[.,]\\d secs\\)\r\n\\((\\d+) Found\\)$"));
        const auto match = done.match(status());
        ASSERT_TRUE(match.hasMatch())
            << s.button << " " << choice.toStdString() << ": " << status().toStdString();
        EXPECT_EQ(match.captured(1).toInt(), list(s)->topLevelItemCount());
        EXPECT_GT(list(s)->topLevelItemCount(), 0) << choice.toStdString();
        EXPECT_TRUE(button(s)->isEnabled());
        const QString caption = QString::fromLatin1(s.caption);
        EXPECT_EQ(find<QGroupBox>(QStringLiteral("fraMain(%1)").arg(s.tab))->title(),
                  s.choice ? caption.arg(choice) : caption);
    }

    sample::SampleServer sample;
    frmMain window;
};

TEST_F(SourcesEndToEnd, EveryButtonFillsItsListForEveryChoice)
{
    for (const Source& s : Sources) {
        QStringList choices = {QString()};
        if (s.choice) {
            auto* combo = find<QComboBox>(s.choice);
            choices.clear();
            for (int i = 0; i < combo->count(); ++i)
                choices << combo->itemText(i);
        }
        for (const QString& choice : choices) {
            if (choice == "Celtic" || choice == "LatinTracks" || choice == "Rap")
                continue; // the sample server's failure pages, tested below
            get(s, choice);
            expectDone(s, choice);
        }
    }
}

TEST_F(SourcesEndToEnd, KRockRowsReadAsTheSamplePageWrites)
{
    get(Sources[0]);
    const QTreeWidgetItem* first = list(Sources[0])->topLevelItem(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(0), "1");
    EXPECT_FALSE(first->text(2).isEmpty());
    EXPECT_FALSE(first->text(3).isEmpty());
}

TEST_F(SourcesEndToEnd, PageOfAnotherShapeShowsTheErrorText)
{
    get(Sources[1], QStringLiteral("Celtic"));
    EXPECT_EQ(status(), "An error occured while processing the list: Invalid procedure call or "
                        "argument.\r\nMake sure you have the latest version of this program.");
    EXPECT_EQ(list(Sources[1])->topLevelItemCount(), 0);
    EXPECT_TRUE(button(Sources[1])->isEnabled());
    EXPECT_EQ(find<QGroupBox>("fraMain(1)")->title(), "Digital Top Ten Albums (Celtic):");
}

TEST_F(SourcesEndToEnd, MissingPageShowsTheHttpErrorAndNoDoneText)
{
    get(Sources[3], QStringLiteral("LatinTracks"));
    EXPECT_EQ(status(), "Error 404 Not Found");
    EXPECT_EQ(list(Sources[3])->topLevelItemCount(), 0);
    EXPECT_TRUE(button(Sources[3])->isEnabled());
}

TEST_F(SourcesEndToEnd, FailureAfterSuccessLeavesNothingStale)
{
    get(Sources[4]);
    ASSERT_GT(list(Sources[4])->topLevelItemCount(), 0);
    test::UseProxy(LoopbackServer::closedPort());
    get(Sources[4]);
    EXPECT_EQ(list(Sources[4])->topLevelItemCount(), 0);
    EXPECT_TRUE(status().startsWith("Error ")) << status().toStdString();
    EXPECT_TRUE(button(Sources[4])->isEnabled());
}

TEST_F(SourcesEndToEnd, EmptyResponseLeavesNoDoneText)
{
    LoopbackServer empty;
    empty.setReply({LoopbackServer::response("200 OK", {"Content-Length: 0"})});
    test::UseProxy(empty.port());
    get(Sources[0]);
    EXPECT_FALSE(status().startsWith("Done.")) << status().toStdString();
    EXPECT_EQ(list(Sources[0])->topLevelItemCount(), 0);
    EXPECT_TRUE(button(Sources[0])->isEnabled());
}

TEST_F(SourcesEndToEnd, PageStaysInFrontWhileItsListDownloads)
{
    LoopbackServer slow;
    slow.setReply({LoopbackServer::response("404 Not Found", {"Content-Length: 0"}), 400});
    test::UseProxy(slow.port());
    bool sampled = false;
    QTimer::singleShot(150, &window, [&] {
        sampled = true;
        EXPECT_FALSE(button(Sources[3])->isEnabled());
        showPage(0);
        EXPECT_EQ(tabs()->currentIndex(), 3);
        EXPECT_FALSE(window.close());
    });
    get(Sources[3], QStringLiteral("Hot100"));
    EXPECT_TRUE(sampled);
    EXPECT_TRUE(button(Sources[3])->isEnabled());
    showPage(0);
    EXPECT_EQ(tabs()->currentIndex(), 0);
}

} // namespace
} // namespace vandrel
