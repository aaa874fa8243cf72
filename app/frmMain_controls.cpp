// The window's controls, as they were laid out at design time.
#include "app/KeyboardLink.h"
#include "app/StatusLine.h"
#include "app/TabStrip.h"
#include "app/frmMain.h"
#include "app/widgets.h"
#include "net/QtText.h"
#include "sources/chart_source.h"
#include "sources/hosts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace vandrel {

using widgets::twips;

void frmMain::createControls()
{
    setWindowTitle(QStringLiteral("Vandrel...  (%1)").arg(qt(hosts::Website)));
    setWindowIcon(QIcon(QStringLiteral(":/vandrel/vandrel-32.png")));

    tabChoose = new TabStrip(this);
    tabChoose->setObjectName(QStringLiteral("tabChoose"));
    tabChoose->setGeometry(twips(0, 0, 6975, 5415));
    tabChoose->setExpanding(false);
    tabChoose->setUsesScrollButtons(false);
    const QString gracenote = QStringLiteral("Gracenote.com");
    const std::pair<const char*, QString> tabs[] = {
        {"K-Rock Radio", QStringLiteral("92.3 FM")},
        {"CDDB Albums", gracenote},
        {"CDDB Songs", gracenote},
        {"Billboard Charts", QStringLiteral("Billboard.com")},
        {"Hot 97", QStringLiteral("97.1 FM")},
        {"About...", QStringLiteral("About the program...")},
    };
    for (const auto& [caption, tip] : tabs)
        tabChoose->setTabToolTip(tabChoose->addTab(QString::fromLatin1(caption)), tip);
    tabChoose->fitTabs();

    createKRockPage();
    createCddbPage();
    createCddbSongsPage();
    createChartsPage();
    createHot97Page();
    createAboutPage();

    lblStatus = new StatusLine(QStringLiteral("Done."), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setGeometry(twips(120, 5520, 6795, 435));
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTabOrder();

    // Buttons, frames and labels are announced by their captions, the lists by their column
    // titles; these controls have neither. The status line keeps its text as its name, so
    // that every new status is read out.
    tabChoose->setAccessibleName(QStringLiteral("Pages"));
    cmbCDDB->setAccessibleName(QStringLiteral("Genre"));
    cmbCDDBSongs->setAccessibleName(QStringLiteral("Genre"));
    cmbCharts->setAccessibleName(QStringLiteral("Chart"));
    lblStatus->setAccessibleDescription(QStringLiteral("Status"));
}

QGroupBox* frmMain::createPage(int index, const QString& caption)
{
    auto* page = new QGroupBox(caption, this);
    page->setObjectName(QStringLiteral("fraMain(%1)").arg(index));
    // All six pages share one rectangle; the one in front is the one seen.
    page->setGeometry(twips(120, 360, 6735, 4935));
    page->setAutoFillBackground(true);
    fraMain[index] = page;
    return page;
}

QTreeWidget* frmMain::createSourcePage(int index, const ChartSource& source,
                                       const QString& listName)
{
    // The K-Rock caption's "&&" shows as one "&": a single one would make an access key.
    QGroupBox* page = createPage(index, qt(source.caption));
    return widgets::list(page, listName, twips(120, 240, 6495, 4215), source.columns);
}

void frmMain::createKRockPage()
{
    lstKrock = createSourcePage(0, KRockSource, QStringLiteral("lstKrock"));
    cmdGet = widgets::button(fraMain[0], QStringLiteral("cmdGet"), QStringLiteral("Get"),
                             twips(120, 4560, 6495, 255));
}

void frmMain::createCddbPage()
{
    lstCDDB = createSourcePage(1, CddbAlbumsSource, QStringLiteral("lstCDDB"));
    cmbCDDB = widgets::dropDown(fraMain[1], QStringLiteral("cmbCDDB"), twips(120, 4560, 3255, 315),
                                CddbAlbumsSource.choices);
    cmdCDDB = widgets::button(fraMain[1], QStringLiteral("cmdCDDB"), QStringLiteral("Get"),
                              twips(3360, 4560, 3255, 255));
}

void frmMain::createCddbSongsPage()
{
    lstCDDBSongs = createSourcePage(2, CddbSongsSource, QStringLiteral("lstCDDBSongs"));
    cmbCDDBSongs = widgets::dropDown(fraMain[2], QStringLiteral("cmbCDDBSongs"),
                                     twips(120, 4560, 3255, 315), CddbSongsSource.choices);
    cmdCDDBSongs = widgets::button(fraMain[2], QStringLiteral("cmdCDDBSongs"),
                                   QStringLiteral("Get"), twips(3360, 4560, 3255, 255));
}

void frmMain::createChartsPage()
{
    lstCharts = createSourcePage(3, BillboardSource, QStringLiteral("lstCharts"));
    cmbCharts = widgets::dropDown(fraMain[3], QStringLiteral("cmbCharts"),
                                  twips(120, 4560, 3255, 315), BillboardSource.choices);
    cmdCharts = widgets::button(fraMain[3], QStringLiteral("cmdCharts"), QStringLiteral("Get"),
                                twips(3360, 4560, 3255, 255));
}

void frmMain::createHot97Page()
{
    lstHot97 = createSourcePage(4, Hot97Source, QStringLiteral("lstHot97"));
    cmdHot97 = widgets::button(fraMain[4], QStringLiteral("cmdHot97"), QStringLiteral("Get"),
                               twips(120, 4560, 6495, 255));
}

void frmMain::createAboutPage()
{
    QGroupBox* page = createPage(5, QStringLiteral("About the program:"));

    lblAbout = widgets::label(page, QStringLiteral("lblAbout"), QStringLiteral("About"),
                              twips(120, 480, 6375, 3735));
    QFont aboutFont(QStringLiteral("MS Sans Serif"));
    aboutFont.setPointSizeF(13.5);
    lblAbout->setFont(aboutFont);
    lblAbout->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblAbout->setWordWrap(true);

    lblWebPage = widgets::label(page, QStringLiteral("lblWebPage"),
                                QStringLiteral("Program Website"), twips(840, 4440, 1845, 300));
    lblWebPage->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    lblWebPage->setAlignment(Qt::AlignCenter);
    lblWebPage->setCursor(Qt::WhatsThisCursor);
    QPalette linkColours = lblWebPage->palette();
    linkColours.setColor(QPalette::WindowText, QColor(0, 0, 192));
    lblWebPage->setPalette(linkColours);
    QFont highlighted = lblWebPage->font();
    highlighted.setBold(true);
    const int linkWidth = QFontMetrics(highlighted).horizontalAdvance(lblWebPage->text()) + 8;
    widgets::growAround(lblWebPage, QSize(linkWidth, lblWebPage->height()));
    connect(new KeyboardLink(lblWebPage), &KeyboardLink::activated, this,
            &frmMain::lblWebPage_Click);

    chkUpdate = new QCheckBox(QStringLiteral("Check Version?"), page);
    chkUpdate->setObjectName(QStringLiteral("chkUpdate"));
    chkUpdate->setGeometry(twips(5040, 4440, 1575, 195));
    widgets::growAround(chkUpdate, chkUpdate->sizeHint(), Qt::AlignRight);
}

void frmMain::setTabOrder()
{
    QWidget* const order[] = {tabChoose, lstKrock,  cmdGet,       lstCDDB,
                              cmbCDDB,   cmdCDDB,   cmdCDDBSongs, lstCharts,
                              cmbCharts, cmdCharts, lblWebPage,   cmdHot97,
                              lstHot97,  chkUpdate, cmbCDDBSongs, lstCDDBSongs};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace vandrel
