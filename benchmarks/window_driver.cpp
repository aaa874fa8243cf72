#include "window_driver.h"

#include "sources/chart_source.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace vandrel::bench {

const SourceButton SourceButtons[SourceCount] = {
    {"KRock", 0, "cmdGet", nullptr, nullptr, &KRockSource},
    {"CddbAlbums", 1, "cmdCDDB", "cmbCDDB", "Rock", &CddbAlbumsSource},
    {"CddbSongs", 2, "cmdCDDBSongs", "cmbCDDBSongs", "Rock", &CddbSongsSource},
    {"Billboard", 3, "cmdCharts", "cmbCharts", "Hot100", &BillboardSource},
    {"Hot97", 4, "cmdHot97", nullptr, nullptr, &Hot97Source},
};

void UseSampleServerAsProxy(quint16 port)
{
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(port));
}

void ShowPage(QWidget& window, const SourceButton& source)
{
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("tabChoose"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(source.tab).center());
    if (source.choiceBox)
        window.findChild<QComboBox*>(source.choiceBox)->setCurrentText(source.choice);
    Settle();
}

void ClickGet(QWidget& window, const SourceButton& source)
{
    QTest::mouseClick(window.findChild<QPushButton*>(source.button), Qt::LeftButton);
}

QString StatusText(const QWidget& window)
{
    return window.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
}

void Settle()
{
    QTest::qWait(10);
}

} // namespace vandrel::bench
