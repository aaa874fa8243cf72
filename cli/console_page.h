#pragma once

#include "cli/rows.h"
#include "net/page_origin.h"
#include "net/saved_page.h"
#include "sources/refresh_cycle.h"

#include <QString>
#include <string>

namespace vandrel {

class PageRequest;
class StatusPrinter;

// A source page without a window: the refresh cycle's list becomes rows in memory, its status
// texts go to the printer, and its page comes from `origin`. A page read from a file needs no
// request (null), and then runs on any thread.
class ConsolePage final : public CyclePage
{
public:
    ConsolePage(const ChartSource& source, const QString& choice, const PageOrigin& origin,
                PageRequest* request, StatusPrinter& status, BeforeReading beforeReading = {});

    Rows takeRows() { return std::move(rows_); }
    const std::u16string& caption() const { return caption_; }
    // What the page read last is called: its address, its file's path or "-".
    const QString& pageName() const { return pageName_; }

    void setGetEnabled(bool) override {}
    void setStatus(const std::u16string& text) override;
    void clearList() override { rows_.clear(); }
    int rowCount() const override { return int(rows_.size()); }
    std::u16string choice() const override { return choice_; }
    void setCaption(const std::u16string& caption) override { caption_ = caption; }
    std::u16string_view download(const std::u16string& address) override;
    std::u16string formatSeconds(double seconds) const override;
    void addRow(std::u16string firstColumn) override;
    void setSubItem(int index, std::u16string text) override;

private:
    std::u16string choice_;
    std::u16string caption_;
    PageOrigin origin_;
    QString pageName_;
    QString text_;
    PageRequest* request_;
    StatusPrinter& status_;
    BeforeReading beforeReading_;
    Rows rows_;
};

} // namespace vandrel
