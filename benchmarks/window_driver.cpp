#include "window_driver.h"

#include "app/source_page_table.h"
#include "net/qt_text.h"
#include "sample/pages/sample_pages.h"
#include "sources/chart_source.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace vandrel::bench {

const std::vector<SourceButton>& sourceButtons()
{
    static const std::vector<SourceButton> buttons = [] {
        std::vector<SourceButton> all;
        for (const SourcePageRow& row : sourcePageRows()) {
            const ChartSource* source = allSources()[all.size()];
            all.push_back({source, int(all.size()), row.get.name, row.choice.name,
                           qt(sample::largestChoice(*source))});
        }
        return all;
    }();
    return buttons;
}

void useSampleServerAsProxy(quint16 port)
{
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(port));
}

void showPage(QWidget& window, const SourceButton& source)
{
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("tabChoose"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(source.tab).center());
    if (source.choiceBox)
        window.findChild<QComboBox*>(source.choiceBox)->setCurrentText(source.choice);
    settle();
}

void clickGet(QWidget& window, const SourceButton& source)
{
    QTest::mouseClick(window.findChild<QPushButton*>(source.button), Qt::LeftButton);
}

QString statusText(const QWidget& window)
{
    return window.findChild<QLabel*>(QStringLiteral("lblStatus"))->text();
}

void settle()
{
    QTest::qWait(10);
}

} // namespace vandrel::bench
