#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace vandrel {

class PageRequest;
class SourcePage;
class StatusLine;
class TabStrip;
class TransferControl;
class TransferMonitor;
class VersionCheck;
struct ChartSource;

// The one window: a tab strip, six pages stacked in one place, and the status line.
class frmMain : public QWidget
{
    Q_OBJECT
public:
    // Downloads through the real HTTP client.
    frmMain();
    // Downloads through `inetGet` (tests hand in a scripted one); the window owns it.
    explicit frmMain(TransferControl* inetGet, QWidget* parent = nullptr);
    ~frmMain() override;

    // The text of the About page, composed once at load.
    static QString AboutText();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    QGroupBox* createPage(int index, const QString& caption);
    QTreeWidget* createSourcePage(int index, const ChartSource& source, const QString& listName);
    void createKRockPage();
    void createCddbPage();
    void createCddbSongsPage();
    void createChartsPage();
    void createHot97Page();
    void createAboutPage();
    void showRefusal(int number, const QString& description);
    void setTabOrder();

    void Form_Load();
    void Form_QueryUnload(bool& Cancel);
    void tabChoose_BeforeClick(bool& Cancel);
    void tabChoose_Click();

    void connectSources();
    void cmdGet_Click();
    void cmdCDDB_Click();
    void cmdCDDBSongs_Click();
    void cmdCharts_Click();
    void cmdHot97_Click();

    void connectAbout();
    void lblWebPage_MouseMove();
    void fraMain_MouseMove();
    void lblWebPage_Click();
    void chkUpdate_Click();

    TransferControl* inetGet;
    TransferMonitor* monitor = nullptr;
    PageRequest* request = nullptr;
    VersionCheck* versionCheck = nullptr;
    std::unique_ptr<SourcePage> krockPage, cddbPage, cddbSongsPage, chartsPage, hot97Page;

    TabStrip* tabChoose = nullptr;
    std::array<QGroupBox*, 6> fraMain{};
    QTreeWidget* lstKrock = nullptr;
    QPushButton* cmdGet = nullptr;
    QTreeWidget* lstCDDB = nullptr;
    QComboBox* cmbCDDB = nullptr;
    QPushButton* cmdCDDB = nullptr;
    QTreeWidget* lstCDDBSongs = nullptr;
    QComboBox* cmbCDDBSongs = nullptr;
    QPushButton* cmdCDDBSongs = nullptr;
    QTreeWidget* lstCharts = nullptr;
    QComboBox* cmbCharts = nullptr;
    QPushButton* cmdCharts = nullptr;
    QTreeWidget* lstHot97 = nullptr;
    QPushButton* cmdHot97 = nullptr;
    QLabel* lblAbout = nullptr;
    QLabel* lblWebPage = nullptr;
    QCheckBox* chkUpdate = nullptr;
    StatusLine* lblStatus = nullptr;
};

} // namespace vandrel
