// The About page: the About text, the website link and the version check.
#include "app/frm_main.h"
#include "app/status_line.h"
#include "net/qt_text.h"
#include "net/version_check.h"
#include "net/website.h"
#include "sources/chart_source.h"
#include "sources/hosts.h"
#include "version.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

namespace vandrel {

namespace {

// The hosts of the sources' websites, each once, in the order of their pages.
QString serverNames()
{
    QStringList names;
    for (const std::u16string_view host : sourceHosts())
        names << qt(host);
    return names.join(QLatin1Char(' '));
}

} // namespace

QString frmMain::aboutText()
{
    const QStringList lines = {
        QStringLiteral("About %1 v%2")
            .arg(QLatin1String(version::ProductName), QLatin1String(version::Text)),
        QStringLiteral("Author: The Vandrel developers <developers@%1>").arg(qt(hosts::Website)),
        QStringLiteral("Website: %1").arg(qt(hosts::Website)),
        QStringLiteral("Servers: ") + serverNames(),
        QString(),
        QStringLiteral("Free software under the MIT License."),
    };
    return lines.join(QStringLiteral("\r\n"));
}

void frmMain::connectAbout()
{
    // Hover follows plain moves too, so the link and the pages track the mouse.
    lblWebPage->setMouseTracking(true);
    lblWebPage->installEventFilter(this);
    for (QGroupBox* page : fraMain) {
        page->setMouseTracking(true);
        page->installEventFilter(this);
    }
    connect(chkUpdate, &QCheckBox::toggled, this, &frmMain::chkUpdate_Click);
    connect(versionCheck_, &VersionCheck::started, lblStatus, &StatusLine::display);
    connect(versionCheck_, &VersionCheck::checked, lblStatus, &StatusLine::display);
    connect(versionCheck_, &VersionCheck::failed, lblStatus, &StatusLine::display);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblWebPage) {
        if (event->type() == QEvent::MouseMove)
            lblWebPage_MouseMove();
        else if (event->type() == QEvent::MouseButtonRelease &&
                 static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                 lblWebPage->rect().contains(
                     static_cast<QMouseEvent*>(event)->position().toPoint()))
            lblWebPage_Click();
    } else if (event->type() == QEvent::MouseMove) {
        // Moves over a page's controls reach the page too; only its bare area counts.
        auto* page = static_cast<QWidget*>(watched);
        if (!page->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
            fraMain_MouseMove();
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::lblWebPage_MouseMove()
{
    QFont font = lblWebPage->font();
    if (font.underline())
        return;
    font.setUnderline(true);
    font.setBold(true);
    lblWebPage->setFont(font);
}

void frmMain::fraMain_MouseMove()
{
    QFont font = lblWebPage->font();
    font.setUnderline(false);
    font.setBold(false);
    lblWebPage->setFont(font);
}

void frmMain::lblWebPage_Click()
{
    // Whether a browser opened is not our concern; a failure passes silently.
    QDesktopServices::openUrl(QUrl(websiteAddress(hosts::HomePage)));
}

void frmMain::chkUpdate_Click()
{
    if (!chkUpdate->isChecked())
        return;
    chkUpdate->setEnabled(false);
    versionCheck_->run();
    chkUpdate->setEnabled(true);
    chkUpdate->setChecked(false);
}

} // namespace vandrel
