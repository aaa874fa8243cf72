#include "app/SourcePage.h"

#include "net/PageRequest.h"
#include "net/TransferMonitor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

namespace vandrel {

namespace {
QString qt(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}
} // namespace

SourcePage::SourcePage(Controls controls, QLabel& status, PageRequest& request,
                       const TransferMonitor& monitor)
    : controls_(controls), status_(status), request_(request), monitor_(monitor)
{
}

void SourcePage::SetGetEnabled(bool enabled)
{
    controls_.get->setEnabled(enabled);
}

void SourcePage::SetStatus(const std::u16string& text)
{
    status_.setText(qt(text));
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
    request_.GetURL(qt(address));
    return monitor_.PageText().toStdU16String();
}

std::u16string SourcePage::FormatSeconds(double seconds) const
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(seconds, 'f', 1).toStdU16String();
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
