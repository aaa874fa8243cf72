#pragma once

#include "net/BodyText.h"
#include "net/TransferControl.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QTimer>

namespace vandrel {

// The window's transfer control: one HTTP GET at a time over QNetworkAccessManager.
// Every request ends, by a completed response (state 12) or a failure (state 11):
// a server that sends nothing for `idleTimeoutMs`, or more than `bodyCap` bytes, fails it,
// and so does one that is still sending after `deadlineMs` (a trickle of bytes would
// otherwise keep the request, and with it the window, open for days).
class HttpTransfer final : public TransferControl
{
    Q_OBJECT
public:
    static constexpr qint64 defaultBodyCap = 16 * 1024 * 1024;

    // Numbers of the failures Execute throws when it refuses a request.
    enum Refusal { StillExecutingError = 1001, UnsupportedOperationError, MalformedUrlError };

    explicit HttpTransfer(QObject* parent = nullptr, int idleTimeoutMs = 30000,
                          qint64 bodyCap = defaultBodyCap, int deadlineMs = 120000);
    ~HttpTransfer() override;

    void Execute(const QString& url, const QString& operation,
                 const QString& requestHeaders) override;
    bool StillExecuting() const override { return executing_; }
    QString GetChunk(int size) override { return bodyText_.next(size); }
    QString GetHeader(const QString& name) const override;
    int ResponseCode() const override { return responseCode_; }
    QString ResponseInfo() const override { return responseInfo_; }

private:
    void start(const QUrl& url, const QString& requestHeaders);
    void watch(QNetworkReply* reply);
    bool collectBody();
    void onReadyRead();
    void onFinished();
    QNetworkReply* releaseReply();
    void abortWith(int code, const QString& info);
    void fail(int code, const QString& info);
    void report(int state);

    QNetworkAccessManager manager_;
    QPointer<QNetworkReply> reply_;
    QTimer idleTimer_;
    QTimer deadline_;
    qint64 bodyCap_;
    bool executing_ = false;
    int lastState_ = 0;
    QByteArray body_;
    BodyText bodyText_;
    QList<QNetworkReply::RawHeaderPair> headers_;
    int responseCode_ = 0;
    QString responseInfo_;
};

} // namespace vandrel
