#pragma once

#include "sources/refresh_cycle.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vandrel {

class PageRequest;
class StatusLine;

// The controls of one source page, handed to the refresh cycle.
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

    SourcePage(Controls controls, StatusLine& status, PageRequest& request);

    void setGetEnabled(bool enabled) override;
    void setStatus(const std::u16string& text) override;
    void clearList() override;
    int rowCount() const override;
    std::u16string choice() const override;
    void setCaption(const std::u16string& caption) override;
    std::u16string download(const std::u16string& address) override;
    std::u16string formatSeconds(double seconds) const override;
    void addRow(std::u16string firstColumn) override;
    void setSubItem(int index, std::u16string text) override;

private:
    Controls controls_;
    StatusLine& status_;
    PageRequest& request_;
    QTreeWidgetItem* current_ = nullptr;
};

} // namespace vandrel
