#pragma once

#include "app/source_page.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;

namespace vandrel {

class PageRequest;
class StatusLine;
class TabStrip;
class TransferControl;
class TransferMonitor;
class VersionCheck;
struct ChartSource;
struct SourcePageRow;

// The one window: a tab strip, its pages (one per source, then About) stacked in one place,
// and the status line.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    // Where the lists come from: the real sites, or the sample server of --demo, which the
    // caption then names.
    enum class Charts { Real, Sample };

    // Downloads through the real HTTP client.
    frmMain();
    // Downloads through `inetGet` (tests hand in a scripted one); the window owns it.
    explicit frmMain(TransferControl* inetGet, Charts charts = Charts::Real,
                     QWidget* parent = nullptr);
    ~frmMain() override;

    // The text of the About page, composed once at load.
    static QString aboutText();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<SourcePage::Controls> createControls();
    QGroupBox* createPage(const QString& caption);
    SourcePage::Controls createSourcePage(const SourcePageRow& row, const ChartSource& source);
    void createAboutPage();
    void showRefusal(int number, const QString& description);
    void arrangeTabOrder();

    void Form_Load();
    void Form_QueryUnload(bool& Cancel);
    void tabChoose_BeforeClick(bool& Cancel);
    void tabChoose_Click();

    void connectSources(const std::vector<SourcePage::Controls>& pages);
    void openSavedPage();

    void connectAbout();
    void lblWebPage_MouseMove();
    void fraMain_MouseMove();
    void lblWebPage_Click();
    void chkUpdate_Click();

    TransferControl* inetGet;
    TransferMonitor* monitor_ = nullptr;
    PageRequest* request_ = nullptr;
    VersionCheck* versionCheck_ = nullptr;
    std::vector<std::unique_ptr<SourcePage>> sourcePages_;

    TabStrip* tabChoose = nullptr;
    std::vector<QGroupBox*> fraMain; // one page per source, then the About page
    QLabel* lblAbout = nullptr;
    QLabel* lblWebPage = nullptr;
    QCheckBox* chkUpdate = nullptr;
    StatusLine* lblStatus = nullptr;
};

} // namespace vandrel
