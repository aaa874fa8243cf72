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

    void SetGetEnabled(bool enabled) override;
    void SetStatus(const std::u16string& text) override;
    void ClearList() override;
    int RowCount() const override;
    std::u16string Choice() const override;
    void SetCaption(const std::u16string& caption) override;
    std::u16string Download(const std::u16string& address) override;
    std::u16string FormatSeconds(double seconds) const override;
    void AddRow(std::u16string firstColumn) override;
    void SetSubItem(int index, std::u16string text) override;

private:
    Controls controls_;
    StatusLine& status_;
    PageRequest& request_;
    QTreeWidgetItem* current_ = nullptr;
};

} // namespace vandrel
