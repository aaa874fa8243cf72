// The "Get" button of every source page runs the refresh cycle for its source.
#include "app/frm_main.h"
#include "sources/chart_source.h"

#include <QPushButton>

namespace vandrel {

void frmMain::connectSources(const std::vector<SourcePage::Controls>& pages)
{
    const auto sources = allSources();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SourcePage& page = *sourcePages_.emplace_back(
            std::make_unique<SourcePage>(pages[i], *lblStatus, *request_));
        connect(pages[i].get, &QPushButton::clicked, this,
                [&page, &source = *sources[i]] { runRefreshCycle(page, source); });
    }
}

} // namespace vandrel
