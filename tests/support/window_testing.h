#pragma once

#include <QDesktopServices>
#include <QLabel>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// What the window tests share: finding controls by name, picking a page and pressing a
// button the way a user does, reading a list and the status line, sending the program's
// built-in addresses to a loopback server, and catching the addresses it opens in the browser.
namespace vandrel::test {

// The window's control named `name`; a missing one fails the test.
template <class T = QWidget> T* control(const QWidget& window, const QString& name)
{
    auto* child = window.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name.toStdString();
    return child;
}

// A real click on tab `index` of the window's tab strip.
inline void showPage(const QWidget& window, int index)
{
    auto* tabs = control<QTabBar>(window, QStringLiteral("tabChoose"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

// A real click near the left edge: on a check box's box, inside a button.
inline void press(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
}

// The cells of every row of the list on `page`, as the user reads them.
inline QList<QStringList> rowsOf(const QWidget& page)
{
    QList<QStringList> rows;
    const auto* list = page.findChild<QTreeWidget*>();
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        rows.emplaceBack();
        for (int c = 0; c < list->columnCount(); ++c)
            rows.last() << list->topLevelItem(r)->text(c);
    }
    return rows;
}

inline QString statusText(const QWidget& window)
{
    return control<QLabel>(window, QStringLiteral("lblStatus"))->text();
}

// Every request the program makes goes to the HTTP proxy on 127.0.0.1:`port`, as when
// the user sets http_proxy (or names another of curl's proxy variables).
inline void useProxy(quint16 port, const char* variable = "http_proxy")
{
    qputenv(variable, QByteArray("http://127.0.0.1:") + QByteArray::number(port));
}

inline void useNoProxy()
{
    for (const char* variable : {"http_proxy", "https_proxy", "ALL_PROXY", "no_proxy"})
        qunsetenv(variable);
}

// Stands in for the user's browser: while it lives, every http address the program
// opens is caught here instead.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }

    QStringList opened;

public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

} // namespace vandrel::test
