#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

class QWidget;

namespace vandrel {

struct ChartSource;

namespace bench {

// One source page of the window, as a user fetches it.
struct SourceButton
{
    const ChartSource* source;
    int tab;
    const char* button;
    const char* choiceBox; // null on pages without a drop-down list
    QString choice;        // the largest page the sample server has for that list
};

// Every source page of the window, in the order of its tabs.
const std::vector<SourceButton>& sourceButtons();

// Sends every request of the process through the sample server, as the demo does.
void useSampleServerAsProxy(quint16 port);

// Shows the button's page and picks its choice, leaving the window idle.
void showPage(QWidget& window, const SourceButton& source);

// Clicks "Get" on the page in front; returns once the refresh cycle has ended.
void clickGet(QWidget& window, const SourceButton& source);

QString statusText(const QWidget& window);

// Lets the window paint and lay out what the last request changed, so that no measured click
// pays for the one before it.
void settle();

} // namespace bench
} // namespace vandrel
