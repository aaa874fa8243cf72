// The window's controls, as they were laid out at design time.
#include "app/KeyboardLink.h"
#include "app/TabStrip.h"
#include "app/frmMain.h"
#include "app/widgets.h"
#include "sources/hosts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace vandrel {

using widgets::twips;

namespace {

QString host(std::u16string_view name)
{
    return QString::fromStdU16String(std::u16string(name));
}

} // namespace

void frmMain::createControls()
{
    setWindowTitle(QStringLiteral("Vandrel...  (%1)").arg(host(hosts::Website)));
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

    lblStatus = widgets::label(this, QStringLiteral("lblStatus"), QStringLiteral("Done."),
                               twips(120, 5520, 6795, 435));
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

void frmMain::createKRockPage()
{
    // A single "&" would make an access key of the next letter.
    QGroupBox* page = createPage(0, QStringLiteral("Top Airplay && Requested Songs:"));
    lstKrock = widgets::list(
        page, QStringLiteral("lstKrock"), twips(120, 240, 6495, 4215),
        {{"This Week:", 700}, {"Last Week:", 700}, {"Artist:", 2200}, {"Song:", 2200}});
    cmdGet = widgets::button(page, QStringLiteral("cmdGet"), QStringLiteral("Get"),
                             twips(120, 4560, 6495, 255));
}

void frmMain::createCddbPage()
{
    QGroupBox* page = createPage(1, QStringLiteral("Digital Top Ten Albums:"));
    lstCDDB = widgets::list(page, QStringLiteral("lstCDDB"), twips(120, 240, 6495, 4215),
                            {{"This Week:", 500}, {"Artist:", 2900}, {"Album:", 2900}});
    cmbCDDB = widgets::dropDown(page, QStringLiteral("cmbCDDB"), twips(120, 4560, 3255, 315),
                                {"Alt", "Blues", "Catalog", "Celtic", "Country", "Folk", "Gospel",
                                 "HipHop", "Jazz", "Latin", "Metal", "Pop", "Reggae", "RnB", "Rock",
                                 "Soundtrack", "Techno", "World"});
    cmdCDDB = widgets::button(page, QStringLiteral("cmdCDDB"), QStringLiteral("Get"),
                              twips(3360, 4560, 3255, 255));
}

void frmMain::createCddbSongsPage()
{
    QGroupBox* page = createPage(2, QStringLiteral("Digital Top Ten Songs:"));
    lstCDDBSongs =
        widgets::list(page, QStringLiteral("lstCDDBSongs"), twips(120, 240, 6495, 4215),
                      {{"This Week:", 500}, {"Artist:", 2000}, {"Song:", 2000}, {"Album:", 1800}});
    cmbCDDBSongs =
        widgets::dropDown(page, QStringLiteral("cmbCDDBSongs"), twips(120, 4560, 3255, 315),
                          {"Alt", "Catalog", "Country", "Gospel", "Jazz", "Latin", "Pop", "Rock",
                           "Soundtrack", "Techno", "Urban", "World"});
    cmdCDDBSongs = widgets::button(page, QStringLiteral("cmdCDDBSongs"), QStringLiteral("Get"),
                                   twips(3360, 4560, 3255, 255));
}

void frmMain::createChartsPage()
{
    QGroupBox* page = createPage(3, QStringLiteral("Billboard Charts:"));
    lstCharts = widgets::list(page, QStringLiteral("lstCharts"), twips(120, 240, 6495, 4215),
                              {{"This Week:", 500},
                               {"Last Week:", 500},
                               {"Weeks On Chart:", 500},
                               {"Artist:", 2000},
                               {"Song:", 2000},
                               {"Peak:", 500}});
    cmbCharts =
        widgets::dropDown(page, QStringLiteral("cmbCharts"), twips(120, 4560, 3255, 315),
                          {"Adult", "Contemporary", "Country", "Dance", "Dance_Radio", "Digital",
                           "Hot100", "LatinTracks", "Mainstream", "Modern", "Rap", "RnB"});
    cmdCharts = widgets::button(page, QStringLiteral("cmdCharts"), QStringLiteral("Get"),
                                twips(3360, 4560, 3255, 255));
}

void frmMain::createHot97Page()
{
    QGroupBox* page = createPage(4, QStringLiteral("Hot 97 Playlist:"));
    lstHot97 = widgets::list(page, QStringLiteral("lstHot97"), twips(120, 240, 6495, 4215),
                             {{"Rank:", 650}, {"Artist:", 2600}, {"Song:", 2600}});
    cmdHot97 = widgets::button(page, QStringLiteral("cmdHot97"), QStringLiteral("Get"),
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
