#pragma once

#include "net/transfer_control.h"
#include "text/failure.h"

#include <QList>
#include <QStringList>
#include <QTimer>
#include <optional>

namespace vandrel::test {

// A transfer control that plays back a scripted response. After Execute it raises
// `states` from the event loop (so a waiting GetURL sees them as it would a real
// transfer), then stops executing. With `autoFinish` off the request runs until
// finish() is called, which is how tests hold a transfer open.
class FakeTransfer final : public TransferControl
{
public:
    QList<int> states{1, 2, 3, 4, 5, 6, 7, 8, 12};
    QStringList body;
    QString contentLength;
    int responseCode = 0;
    QString responseInfo;
    std::optional<Failure> refusal;
    bool autoFinish = true;

    QString url;

    void Execute(const QString& u, const QString&, const QString&) override
    {
        url = u;
        if (refusal)
            throw *refusal;
        executing_ = true;
        pending_ = body;
        if (autoFinish)
            QTimer::singleShot(0, this, [this] { finish(); });
    }

    void finish()
    {
        for (int s : states)
            emit StateChanged(TransferState(s));
        executing_ = false;
    }

    bool StillExecuting() const override { return executing_; }
    QString GetChunk(int) override { return pending_.isEmpty() ? QString() : pending_.takeFirst(); }
    QString GetHeader(const QString& name) const override
    {
        return name == QLatin1String("Content-Length:") ? contentLength : QString();
    }
    int ResponseCode() const override { return responseCode; }
    QString ResponseInfo() const override { return responseInfo; }

private:
    bool executing_ = false;
    QStringList pending_;
};

} // namespace vandrel::test
