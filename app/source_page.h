#pragma once

#include "net/page_origin.h"
#include "sources/refresh_cycle.h"

#include <QString>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vandrel {

class PageRequest;
class StatusLine;

// The controls of one source page, handed to the refresh cycle of its source.
class SourcePage final : public CyclePage
{
public:
    struct Controls
    {
        QGroupBox* frame;
        QTreeWidget* list;
        QPushButton* get;
        QComboBox* choice; // null on pages without a drop-down list
    };

    SourcePage(Controls controls, const ChartSource& source, StatusLine& status,
               PageRequest& request);

    // Runs the refresh cycle on the page from `origin`: what "Get" does for the source's own
    // address. When the page lacks a marker, the status line's tool tip says which.
    void read(const PageOrigin& origin = {});

    void setGetEnabled(bool enabled) override;
    void setStatus(const std::u16string& text) override;
    void clearList() override;
    int rowCount() const override;
    std::u16string choice() const override;
    void setCaption(const std::u16string& caption) override;
    std::u16string_view download(const std::u16string& address) override;
    std::u16string formatSeconds(double seconds) const override;
    void addRow(std::u16string firstColumn) override;
    void setSubItem(int index, std::u16string text) override;

private:
    Controls controls_;
    const ChartSource& source_;
    PageOrigin origin_;
    QString pageName_;
    QString pageText_; // the page the cycle reads, until the next download
    StatusLine& status_;
    PageRequest& request_;
    QTreeWidgetItem* current_ = nullptr;
};

} // namespace vandrel
