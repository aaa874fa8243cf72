// The About page: the About text, the website link and the version check.
#include "app/frmMain.h"
#include "app/version.h"
#include "net/PageRequest.h"
#include "net/TransferMonitor.h"
#include "sources/hosts.h"
#include "text/failure.h"
#include "text/markers.h"

#include <QCheckBox>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>

namespace vandrel {

namespace {

QString host(std::u16string_view name)
{
    return QString::fromStdU16String(std::u16string(name));
}

QString websiteAddress(const QString& path)
{
    return QStringLiteral("http://") + host(hosts::Website) + path;
}

QString runningVersion()
{
    return QStringLiteral("%1.%2.%3")
        .arg(version::Major)
        .arg(version::Minor)
        .arg(version::Revision);
}

} // namespace

QString frmMain::AboutText()
{
    const QStringList lines = {
        QStringLiteral("About %1 v%2").arg(QLatin1String(version::ProductName), runningVersion()),
        QStringLiteral("Author: The Vandrel developers <developers@%1>").arg(host(hosts::Website)),
        QStringLiteral("Website: %1").arg(host(hosts::Website)),
        QStringLiteral("Servers: %1 %2 %3 %4")
            .arg(host(hosts::KRock), host(hosts::Gracenote), host(hosts::Billboard),
                 host(hosts::Hot97)),
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
    QDesktopServices::openUrl(QUrl(websiteAddress(QStringLiteral("/vb/vandrel/"))));
}

void frmMain::chkUpdate_Click()
{
    if (!chkUpdate->isChecked())
        return;
    chkUpdate->setEnabled(false);
    lblStatus->setText(QStringLiteral("Downloading Info..."));
    request->GetURL(websiteAddress(QStringLiteral("/vb/vandrel/index.asp")));
    // After a failed transfer the status line keeps what went wrong: two version
    // lines with an empty newest version would look like a successful check.
    if (request->lastRequestSucceeded()) {
        try {
            const std::u16string newest =
                Parse(monitor->PageText().toStdU16String(), u"<!-- Version -->", 2);
            lblStatus->setText(QStringLiteral("%1 = Your Version\r\n%2 = Newest Version")
                                   .arg(runningVersion(), QString::fromStdU16String(newest)));
        } catch (const Failure& failure) {
            lblStatus->setText(QStringLiteral("Version check failed: ") +
                               QString::fromStdString(failure.description()));
        }
    }
    chkUpdate->setEnabled(true);
    chkUpdate->setChecked(false);
}

} // namespace vandrel
