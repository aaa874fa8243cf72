// The "Get" button of every source page runs the refresh cycle for its source.
#include "app/frmMain.h"
#include "app/source_page_table.h"
#include "sources/chart_source.h"

#include <QPushButton>

namespace vandrel {

void frmMain::connectSources(const std::vector<SourcePage::Controls>& pages)
{
    const auto rows = SourcePageRows();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SourcePage& page =
            *sourcePages.emplace_back(std::make_unique<SourcePage>(pages[i], *lblStatus, *request));
        connect(pages[i].get, &QPushButton::clicked, this,
                [&page, &source = *rows[i].source] { RunRefreshCycle(page, source); });
    }
}

} // namespace vandrel
