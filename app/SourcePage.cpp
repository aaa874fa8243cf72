#include "app/SourcePage.h"

#include "app/StatusLine.h"
#include "net/PageRequest.h"
#include "net/QtText.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTreeWidget>

namespace vandrel {

SourcePage::SourcePage(Controls controls, StatusLine& status, PageRequest& request)
    : controls_(controls), status_(status), request_(request)
{
}

void SourcePage::SetGetEnabled(bool enabled)
{
    controls_.get->setEnabled(enabled);
}

void SourcePage::SetStatus(const std::u16string& text)
{
    status_.display(qt(text));
}

void SourcePage::ClearList()
{
    current_ = nullptr;
    controls_.list->clear();
}

int SourcePage::RowCount() const
{
    return controls_.list->topLevelItemCount();
}

std::u16string SourcePage::Choice() const
{
    return controls_.choice ? controls_.choice->currentText().toStdU16String() : std::u16string();
}

void SourcePage::SetCaption(const std::u16string& caption)
{
    controls_.frame->setTitle(qt(caption));
}

std::u16string SourcePage::Download(const std::u16string& address)
{
    return request_.GetURL(qt(address)).toStdU16String();
}

std::u16string SourcePage::FormatSeconds(double seconds) const
{
    return SecondsText(seconds).toStdU16String();
}

void SourcePage::AddRow(std::u16string firstColumn)
{
    current_ = new QTreeWidgetItem(controls_.list);
    current_->setText(0, qt(firstColumn));
}

void SourcePage::SetSubItem(int index, std::u16string text)
{
    current_->setText(index, qt(text));
}

} // namespace vandrel
