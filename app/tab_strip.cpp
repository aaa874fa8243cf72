#include "app/tab_strip.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>

namespace vandrel {

bool TabStrip::refused()
{
    bool cancel = false;
    emit BeforeClick(cancel);
    return cancel;
}

void TabStrip::pick(int index)
{
    if (index != currentIndex() && !refused())
        setCurrentIndex(index);
}

void TabStrip::step(int direction)
{
    if (count() > 0)
        pick((currentIndex() + direction + count()) % count());
}

namespace {

// The style of the application with another padding inside the tabs.
class TabPadding final : public QProxyStyle
{
public:
    TabPadding(int padding, QObject* parent)
        : QProxyStyle(QApplication::style()->name()), padding_(padding)
    {
        setParent(parent);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        return metric == PM_TabBarTabHSpace ? padding_
                                            : QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    int padding_;
};

} // namespace

// The captions were laid out for a narrower font than today's defaults: rather than scroll,
// the tabs give up some of their padding to fit the strip. Tabs that still do not fit scroll
// behind the tab bar's buttons, every caption whole.
void TabStrip::fitTabs()
{
    setElideMode(Qt::ElideNone);
    setUsesScrollButtons(true);
    int textWidth = 0;
    for (int i = 0; i < count(); ++i)
        textWidth += fontMetrics().horizontalAdvance(tabText(i));
    const int natural = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, this);
    const int padding = count() ? (width() - textWidth) / count() : natural;
    if (padding >= natural)
        return;
    auto* compact = new TabPadding(std::max(padding, 4), this);
    setStyle(compact);
}

// The strip is as tall as the pages, which cover all of it but its row of tabs; the tab bar makes
// its scroll buttons as tall as itself, so they keep to that row, where they show.
void TabStrip::tabLayoutChange()
{
    QTabBar::tabLayoutChange();
    if (count() == 0)
        return;
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        button->setGeometry(button->x(), 0, button->width(), tabRect(0).height());
}

void TabStrip::mousePressEvent(QMouseEvent* event)
{
    const int index = tabAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index >= 0 && index != currentIndex() && refused()) {
        event->accept();
        return;
    }
    QTabBar::mousePressEvent(event);
}

void TabStrip::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Home:
    case Qt::Key_End:
        // The tab bar leaves these keys alone; a tab strip takes them to its first and last tab.
        event->accept();
        if (!refused())
            pick(event->key() == Qt::Key_Home ? 0 : count() - 1);
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (refused()) {
            event->accept();
            return;
        }
        break;
    default:
        break;
    }
    QTabBar::keyPressEvent(event);
}

void TabStrip::wheelEvent(QWheelEvent* event)
{
    if (refused()) {
        event->accept();
        return;
    }
    QTabBar::wheelEvent(event);
}

} // namespace vandrel
