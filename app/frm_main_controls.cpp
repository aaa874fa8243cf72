// The window's controls, as they were laid out at design time.
#include "app/frm_main.h"
#include "app/keyboard_link.h"
#include "app/source_page_table.h"
#include "app/status_line.h"
#include "app/tab_strip.h"
#include "app/widgets.h"
#include "net/qt_text.h"
#include "sources/chart_source.h"
#include "sources/hosts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace vandrel {

using widgets::twips;

namespace {
// The About page's turns in the keyboard's tab order, among those of the source pages.
constexpr int WebPageTabOrder = 17;
constexpr int UpdateTabOrder = 21;
} // namespace

std::vector<SourcePage::Controls> frmMain::createControls()
{
    setWindowTitle(QStringLiteral("Vandrel...  (%1)").arg(qt(hosts::Website)));
    setWindowIcon(QIcon(QStringLiteral(":/vandrel/vandrel-32.png")));

    tabChoose = new TabStrip(this);
    tabChoose->setObjectName(QStringLiteral("tabChoose"));
    tabChoose->setGeometry(twips(0, 0, 6975, 5415));
    tabChoose->setExpanding(false);
    for (const SourcePageRow& row : sourcePageRows())
        tabChoose->setTabToolTip(tabChoose->addTab(QString::fromLatin1(row.tabCaption)),
                                 QString::fromLatin1(row.tabToolTip));
    tabChoose->setTabToolTip(tabChoose->addTab(QStringLiteral("About...")),
                             QStringLiteral("About the program..."));
    tabChoose->fitTabs();

    const auto rows = sourcePageRows();
    const auto sources = allSources();
    if (rows.size() != sources.size())
        qFatal("The page table has %d rows for %d sources.", int(rows.size()), int(sources.size()));
    std::vector<SourcePage::Controls> pages;
    for (std::size_t i = 0; i < rows.size(); ++i)
        pages.push_back(createSourcePage(rows[i], *sources[i]));
    createAboutPage();

    lblStatus = new StatusLine(QStringLiteral("Done."), this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setGeometry(twips(120, 5520, 6795, 435));
    lblStatus->setTextFormat(Qt::PlainText);
    lblStatus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    arrangeTabOrder();

    // Buttons, frames and labels are announced by their captions, the lists by their column
    // titles; the tab strip has neither. The status line keeps its text as its name, so
    // that every new status is read out.
    tabChoose->setAccessibleName(QStringLiteral("Pages"));
    lblStatus->explain({});
    return pages;
}

// The next page of the `fraMain` family.
QGroupBox* frmMain::createPage(const QString& caption)
{
    auto* page = new QGroupBox(caption, this);
    page->setObjectName(QStringLiteral("fraMain(%1)").arg(fraMain.size()));
    // All pages share one rectangle; the one in front is the one seen.
    page->setGeometry(twips(120, 360, 6735, 4935));
    page->setAutoFillBackground(true);
    fraMain.push_back(page);
    return page;
}

SourcePage::Controls frmMain::createSourcePage(const SourcePageRow& row, const ChartSource& source)
{
    // A caption's "&&" shows as one "&": a single one would make an access key.
    QGroupBox* page = createPage(qt(source.caption));
    QTreeWidget* list = widgets::list(page, QString::fromLatin1(row.list.name),
                                      twips(row.list.place), source.columns);
    QComboBox* choice = nullptr;
    if (row.choice.name) {
        choice = widgets::dropDown(page, QString::fromLatin1(row.choice.name),
                                   twips(row.choice.place), source.choices);
        // A drop-down list has no caption to be announced by.
        choice->setAccessibleName(qt(source.choiceName));
    }
    QPushButton* get = widgets::button(page, QString::fromLatin1(row.get.name),
                                       QStringLiteral("Get"), twips(row.get.place));
    return {page, list, get, choice};
}

void frmMain::createAboutPage()
{
    QGroupBox* page = createPage(QStringLiteral("About the program:"));

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

void frmMain::arrangeTabOrder()
{
    std::vector<std::pair<int, QWidget*>> order = {
        {0, tabChoose}, {WebPageTabOrder, lblWebPage}, {UpdateTabOrder, chkUpdate}};
    for (const SourcePageRow& row : sourcePageRows()) {
        for (const PageControl& control : {row.list, row.choice, row.get}) {
            if (control.name)
                order.emplace_back(control.tabOrder, findChild<QWidget*>(control.name));
        }
    }
    std::ranges::sort(order, {}, &std::pair<int, QWidget*>::first);
    for (std::size_t i = 1; i < order.size(); ++i) {
        // A new page copied from another must take turns of its own.
        if (order[i - 1].first == order[i].first)
            qFatal("Two controls take turn %d of the tab order.", order[i].first);
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    }
}

} // namespace vandrel
