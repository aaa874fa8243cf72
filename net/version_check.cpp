#include "net/version_check.h"

#include "net/page_request.h"
#include "net/website.h"
#include "text/failure.h"
#include "text/markers.h"
#include "version.h"

namespace vandrel {

std::u16string newestVersion(std::u16string_view page)
{
    return Parse(page, u"<!-- Version -->", 2);
}

VersionCheck::VersionCheck(PageRequest& request, QObject* parent)
    : QObject(parent), request_(request)
{
    connect(&request_, &PageRequest::refused, this,
            [this](int, const QString& description) { refusal_ = description; });
}

bool VersionCheck::run()
{
    refusal_.reset();
    emit started(QStringLiteral("Downloading Info..."));
    const QString page = request_.GetURL(websiteAddress(hosts::VersionPage));
    if (refusal_) {
        emit failed(QStringLiteral("Version check failed: ") + *refusal_);
        return false;
    }
    // After a failed transfer the status line keeps what went wrong: two version lines with
    // an empty newest version would look like a successful check.
    if (!request_.lastRequestSucceeded())
        return false;
    try {
        const QString newest = QString::fromStdU16String(newestVersion(page.toStdU16String()));
        emit checked(QLatin1String(version::Text) + QStringLiteral(" = Your Version\r\n") + newest +
                     QStringLiteral(" = Newest Version"));
        return true;
    } catch (const Failure& failure) {
        emit failed(QStringLiteral("Version check failed: ") +
                    QString::fromStdString(failure.description()));
        return false;
    }
}

} // namespace vandrel
