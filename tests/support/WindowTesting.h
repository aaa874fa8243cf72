#pragma once

#include <QTabBar>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// What the window tests share: finding controls by name, picking a page the way a
// user does, and sending the program's built-in addresses to a loopback server.
namespace vandrel::test {

// The window's control named `name`; a missing one fails the test.
template <class T> T* Control(const QWidget& window, const QString& name)
{
    auto* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}

// A real click on tab `index` of the window's tab strip.
inline void ShowPage(const QWidget& window, int index)
{
    auto* tabs = Control<QTabBar>(window, QStringLiteral("tabChoose"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

// Every request the program makes goes to the proxy on 127.0.0.1:`port`, named the way
// the user names one: in the environment, where the HTTP client looks for it on each request.
inline void UseProxy(quint16 port)
{
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(port));
}

inline void UseNoProxy()
{
    qunsetenv("http_proxy");
}

} // namespace vandrel::test
