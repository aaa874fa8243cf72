#include "app/source_page.h"

#include "app/status_line.h"
#include "net/page_fetch.h"
#include "net/qt_text.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTreeWidget>

namespace vandrel {

SourcePage::SourcePage(Controls controls, const ChartSource& source, StatusLine& status,
                       PageRequest& request)
    : controls_(controls), source_(source), status_(status), request_(request)
{
}

void SourcePage::read(const PageOrigin& origin)
{
    origin_ = origin;
    const CycleResult result = runRefreshCycle(*this, source_);
    origin_ = {};
    if (!result.missingMarker.empty())
        status_.explain(missingMarkerNote(source_, pageName_, result.missingMarker));
}

void SourcePage::setGetEnabled(bool enabled)
{
    controls_.get->setEnabled(enabled);
}

void SourcePage::setStatus(const std::u16string& text)
{
    status_.display(qt(text));
}

void SourcePage::clearList()
{
    current_ = nullptr;
    controls_.list->clear();
}

int SourcePage::rowCount() const
{
    return controls_.list->topLevelItemCount();
}

std::u16string SourcePage::choice() const
{
    return controls_.choice ? controls_.choice->currentText().toStdU16String() : std::u16string();
}

void SourcePage::setCaption(const std::u16string& caption)
{
    controls_.frame->setTitle(qt(caption));
}

std::u16string_view SourcePage::download(const std::u16string& address)
{
    FetchedPage fetched = fetchPage(origin_, qt(address), &request_, FileKinds::RegularOnly);
    pageName_ = fetched.name;
    if (!fetched.error.isEmpty())
        status_.display(fetched.error);
    pageText_ = std::move(fetched.text);
    return core(pageText_);
}

std::u16string SourcePage::formatSeconds(double seconds) const
{
    return secondsText(seconds).toStdU16String();
}

void SourcePage::addRow(std::u16string firstColumn)
{
    current_ = new QTreeWidgetItem(controls_.list);
    current_->setText(0, qt(firstColumn));
}

void SourcePage::setSubItem(int index, std::u16string text)
{
    current_->setText(index, qt(text));
}

} // namespace vandrel
