// Every source page runs the refresh cycle for its source: on its "Get" button from the source's
// address, from a file or a link dropped onto it, or from a file opened with Ctrl+O.
#include "app/frm_main.h"
#include "app/page_drop.h"
#include "app/tab_strip.h"
#include "net/transfer_control.h"
#include "sources/chart_source.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QShortcut>

namespace vandrel {

void frmMain::connectSources(const std::vector<SourcePage::Controls>& pages)
{
    const auto sources = allSources();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SourcePage& page = *sourcePages_.emplace_back(
            std::make_unique<SourcePage>(pages[i], *sources[i], *lblStatus, *request_));
        connect(pages[i].get, &QPushButton::clicked, this, [&page] { page.read(); });
        connect(new PageDrop(pages[i].frame, *inetGet), &PageDrop::dropped, this,
                [&page](const PageOrigin& origin) { page.read(origin); });
    }
    connect(new QShortcut(QKeySequence::Open, this), &QShortcut::activated, this,
            &frmMain::openSavedPage);
}

// The page in front reads the file chosen; the About page has no list, and while a transfer runs
// its page must stay as it is.
void frmMain::openSavedPage()
{
    const auto page = std::size_t(tabChoose->currentIndex());
    if (page >= sourcePages_.size() || inetGet->StillExecuting())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open a Saved Page"), {},
        QStringLiteral("Web pages (*.html *.htm *.asp *.aspx *.jsp);;All files (*)"));
    if (!path.isEmpty())
        sourcePages_[page]->read({PageOrigin::Kind::File, path});
}

} // namespace vandrel
