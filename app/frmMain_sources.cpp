// The five "Get" buttons: each runs the refresh cycle for its source.
#include "app/SourcePage.h"
#include "app/frmMain.h"
#include "sources/chart_source.h"

#include <QPushButton>

namespace vandrel {

void frmMain::connectSources()
{
    auto page = [this](int index, QTreeWidget* list, QPushButton* get, QComboBox* choice) {
        return std::make_unique<SourcePage>(SourcePage::Controls{fraMain[index], list, get, choice},
                                            *lblStatus, *request);
    };
    krockPage = page(0, lstKrock, cmdGet, nullptr);
    cddbPage = page(1, lstCDDB, cmdCDDB, cmbCDDB);
    cddbSongsPage = page(2, lstCDDBSongs, cmdCDDBSongs, cmbCDDBSongs);
    chartsPage = page(3, lstCharts, cmdCharts, cmbCharts);
    hot97Page = page(4, lstHot97, cmdHot97, nullptr);

    connect(cmdGet, &QPushButton::clicked, this, &frmMain::cmdGet_Click);
    connect(cmdCDDB, &QPushButton::clicked, this, &frmMain::cmdCDDB_Click);
    connect(cmdCDDBSongs, &QPushButton::clicked, this, &frmMain::cmdCDDBSongs_Click);
    connect(cmdCharts, &QPushButton::clicked, this, &frmMain::cmdCharts_Click);
    connect(cmdHot97, &QPushButton::clicked, this, &frmMain::cmdHot97_Click);
}

void frmMain::cmdGet_Click()
{
    RunRefreshCycle(*krockPage, KRockSource);
}

void frmMain::cmdCDDB_Click()
{
    RunRefreshCycle(*cddbPage, CddbAlbumsSource);
}

void frmMain::cmdCDDBSongs_Click()
{
    RunRefreshCycle(*cddbSongsPage, CddbSongsSource);
}

void frmMain::cmdCharts_Click()
{
    RunRefreshCycle(*chartsPage, BillboardSource);
}

void frmMain::cmdHot97_Click()
{
    RunRefreshCycle(*hot97Page, Hot97Source);
}

} // namespace vandrel
