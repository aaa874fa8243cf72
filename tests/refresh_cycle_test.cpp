#include "sources/refresh_cycle.h"
#include "text/failure.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace vandrel {
namespace {

// A page that records every call the cycle makes, in order.
class RecordingPage final : public CyclePage
{
public:
    std::u16string download = u"<page>";
    std::vector<std::u16string> calls;
    int rows = 0;

    void SetGetEnabled(bool enabled) override { calls.push_back(enabled ? u"enable" : u"disable"); }
    void SetStatus(const std::u16string& text) override { calls.push_back(u"status " + text); }
    void ClearList() override
    {
        rows = 0;
        calls.push_back(u"clear");
    }
    int RowCount() const override { return rows; }
    std::u16string Choice() const override { return u"HipHop"; }
    void SetCaption(const std::u16string& caption) override
    {
        calls.push_back(u"caption " + caption);
    }
    std::u16string Download(const std::u16string& address) override
    {
        calls.push_back(u"get " + address);
        return download;
    }
    std::u16string FormatSeconds(double seconds) const override
    {
        return seconds >= 0 && seconds < 5 ? u"0,1" : u"bad";
    }
    void AddRow(std::u16string first) override
    {
        ++rows;
        calls.push_back(u"row " + first);
    }
    void SetSubItem(int, std::u16string text) override { calls.push_back(u"sub " + text); }
};

std::u16string address(std::u16string_view choice)
{
    return u"http://h/" + std::u16string(choice);
}
std::u16string caption(std::u16string_view choice)
{
    return u"Caption (" + std::u16string(choice) + u"):";
}
void twoRows(std::u16string text, RowSink& rows)
{
    rows.AddRow(text);
    rows.SetSubItem(1, u"a");
    rows.AddRow(u"2");
}
void rowThenOverflow(std::u16string, RowSink& rows)
{
    rows.AddRow(u"1");
    throw Failure::overflow();
}
void missingMarker(std::u16string, RowSink&)
{
    throw Failure::invalidArgument();
}

const ChartSource TwoRows{"t", u"", {}, {}, address, caption, twoRows};
const ChartSource Fixed{"f", u"", {}, {}, address, nullptr, twoRows};

TEST(RefreshCycle, RunsItsStepsInOrderAndCountsTheRows)
{
    RecordingPage page;
    RunRefreshCycle(page, TwoRows);
    const std::vector<std::u16string> expected = {u"disable",
                                                  u"status Downloading List...",
                                                  u"clear",
                                                  u"caption Caption (HipHop):",
                                                  u"get http://h/HipHop",
                                                  u"status Parsing...",
                                                  u"row <page>",
                                                  u"sub a",
                                                  u"row 2",
                                                  u"enable",
                                                  u"status Done. (0,1 secs)\r\n(2 Found)"};
    EXPECT_EQ(page.calls, expected);
}

TEST(RefreshCycle, SourceWithoutCaptionLeavesThePageCaption)
{
    RecordingPage page;
    RunRefreshCycle(page, Fixed);
    for (const auto& call : page.calls)
        EXPECT_NE(call.rfind(u"caption", 0), 0u);
}

TEST(RefreshCycle, EmptyPageEndsWithoutParsingOrDoneText)
{
    RecordingPage page;
    page.download.clear();
    RunRefreshCycle(page, TwoRows);
    ASSERT_FALSE(page.calls.empty());
    EXPECT_EQ(page.calls.back(), u"enable");
    EXPECT_EQ(page.calls[page.calls.size() - 2], u"get http://h/HipHop");
    EXPECT_EQ(page.rows, 0);
}

TEST(RefreshCycle, FailureKeepsRowsAndShowsTheErrorText)
{
    RecordingPage page;
    RunRefreshCycle(page, ChartSource{"t", u"", {}, {}, address, caption, rowThenOverflow});
    EXPECT_EQ(page.rows, 1);
    ASSERT_GE(page.calls.size(), 2u);
    EXPECT_EQ(page.calls[page.calls.size() - 2], u"enable");
    EXPECT_EQ(page.calls.back(), u"status An error occured while processing the list: Overflow."
                                 u"\r\nMake sure you have the latest version of this program.");
}

TEST(RefreshCycle, InvalidArgumentDescriptionReachesTheStatusLine)
{
    RecordingPage page;
    RunRefreshCycle(page, ChartSource{"t", u"", {}, {}, address, caption, missingMarker});
    EXPECT_EQ(page.calls.back(),
              u"status An error occured while processing the list: Invalid procedure call or "
              u"argument.\r\nMake sure you have the latest version of this program.");
}

} // namespace
} // namespace vandrel
