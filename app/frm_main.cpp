#include "app/frm_main.h"

#include "app/source_page.h"
#include "app/source_page_table.h"
#include "app/status_line.h"
#include "app/tab_strip.h"
#include "net/curl_transfer.h"
#include "net/page_request.h"
#include "net/transfer_monitor.h"
#include "net/version_check.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>
#include <algorithm>

namespace vandrel {

frmMain::frmMain() : frmMain(new CurlTransfer) {}

frmMain::frmMain(TransferControl* transfer, Charts charts, QWidget* parent)
    : QWidget(parent), inetGet(transfer)
{
    setObjectName(QStringLiteral("frmMain"));
    inetGet->setParent(this);
    monitor_ = new TransferMonitor(*inetGet, this);
    request_ = new PageRequest(*inetGet, *monitor_, this);
    versionCheck_ = new VersionCheck(*request_, this);
    const std::vector<SourcePage::Controls> sourceControls = createControls();
    if (charts == Charts::Sample)
        setWindowTitle(windowTitle() + QStringLiteral(" - sample charts"));
    connect(monitor_, &TransferMonitor::statusChanged, lblStatus, &StatusLine::display);
    connect(request_, &PageRequest::refused, this, &frmMain::showRefusal);
    // The pointer only waits while a request runs: a refused one shows its box with the
    // normal pointer.
    connect(request_, &PageRequest::waitStarted, this,
            [] { QGuiApplication::setOverrideCursor(Qt::BusyCursor); });
    connect(request_, &PageRequest::waitFinished, this,
            [] { QGuiApplication::restoreOverrideCursor(); });

    connect(tabChoose, &TabStrip::BeforeClick, this, &frmMain::tabChoose_BeforeClick);
    connect(tabChoose, &QTabBar::currentChanged, this, &frmMain::tabChoose_Click);
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), +1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), +1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1},
    };
    for (const auto& [keys, direction] : steps)
        connect(new QShortcut(keys, this), &QShortcut::activated, tabChoose,
                [this, direction = direction] { tabChoose->step(direction); });

    connectSources(sourceControls);
    connectAbout();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    fraMain[0]->raise();
    // The window manager draws the frame and title bar, so the client area is
    // just as wide as the tab strip and ends a little below the status line.
    setFixedSize(tabChoose->width(), lblStatus->geometry().bottom() + 1 + 8);
    std::vector<const SourcePageRow*> withChoice;
    for (const SourcePageRow& row : sourcePageRows()) {
        if (row.choice.name)
            withChoice.push_back(&row);
    }
    std::ranges::sort(withChoice, {}, &SourcePageRow::choiceTurnAtLoad);
    for (const SourcePageRow* row : withChoice)
        findChild<QComboBox*>(row->choice.name)->setCurrentIndex(0);
    lblAbout->setText(aboutText());
}

void frmMain::tabChoose_Click()
{
    const int p = tabChoose->currentIndex();
    for (int i = 0; i < int(fraMain.size()); ++i)
        if (i != p)
            fraMain[i]->setEnabled(false);
    fraMain[p]->setEnabled(true);
    fraMain[p]->raise();
}

void frmMain::tabChoose_BeforeClick(bool& Cancel)
{
    if (inetGet->StillExecuting())
        Cancel = true;
}

void frmMain::Form_QueryUnload(bool& Cancel)
{
    if (inetGet->StillExecuting())
        Cancel = true;
}

void frmMain::showRefusal(int number, const QString& description)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("InetGet Error..."),
                    PageRequest::refusalText(number, description), QMessageBox::Ok, this);
    box.exec();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

} // namespace vandrel
