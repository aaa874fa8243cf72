#pragma once

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace vandrel {

class PageRequest;

// The newest published version: the text after the first "<!-- Version -->" of the version
// page, up to the next one or the end. Throws Failure when a position passes 16 bits.
std::u16string newestVersion(std::u16string_view page);

// Fetches the version page and reports the running and the newest version, one above the
// other. Nothing is compared: the user reads both.
class VersionCheck : public QObject
{
    Q_OBJECT
public:
    explicit VersionCheck(PageRequest& request, QObject* parent = nullptr);

    // Returns when the check has ended; true when checked was emitted. A transfer that fails
    // is reported by the transfer monitor and emits neither checked nor failed.
    bool run();

signals:
    // The check begins; `status` says so.
    void started(const QString& status);
    void checked(const QString& versions);
    void failed(const QString& reason);

private:
    PageRequest& request_;
    std::optional<QString> refusal_;
};

} // namespace vandrel
