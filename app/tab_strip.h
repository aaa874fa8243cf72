#pragma once

#include <QTabBar>

namespace vandrel {

// A tab bar that asks before it changes tabs: every way the user can pick a tab
// (mouse, arrow keys, the wheel, Ctrl+Tab) raises BeforeClick first, and a handler
// that sets Cancel keeps the current tab selected.
class TabStrip : public QTabBar
{
    Q_OBJECT
public:
    using QTabBar::QTabBar;

    // Selects `index` on the user's behalf, unless BeforeClick cancels it.
    void pick(int index);
    // Selects the next (+1) or previous (-1) tab, wrapping around.
    void step(int direction);
    // Narrows the tabs' padding, if need be, so that every tab fits the strip's width; beyond
    // that the tabs scroll.
    void fitTabs();

signals:
    void BeforeClick(bool& Cancel);

protected:
    void tabLayoutChange() override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool refused();
};

} // namespace vandrel
