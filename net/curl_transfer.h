#pragma once

#include "net/body_text.h"
#include "net/curl_multi.h"
#include "net/response_head.h"
#include "net/transfer_control.h"
#include "net/transfer_error.h"

#include <QByteArray>
#include <QList>
#include <QTimer>
#include <curl/curl.h>
#include <functional>
#include <optional>

namespace vandrel {

// The programs' transfer control: one HTTP GET at a time over libcurl, run on the event loop.
// Every request ends, by a completed response (Completed) or a failure (Failed): a server
// that sends nothing for `idleTimeoutMs`, a body past `bodyCap` bytes once decoded or a head
// past ResponseHead::SizeCap fails it, and so does one still sending after `deadlineMs`
// (a trickle of bytes would otherwise keep the request, and with it the program, open for days).
class CurlTransfer final : public TransferControl
{
    Q_OBJECT
public:
    // The bounds the programs run with; docs/robustness.md shows them.
    static constexpr int DefaultIdleTimeoutMs = 30 * 1000;
    static constexpr int DefaultDeadlineMs = 2 * 60 * 1000;
    static constexpr qint64 DefaultBodyCap = 16 * 1024 * 1024;
    static constexpr long MaxRedirects = 10;

    // Numbers of the failures Execute throws when it refuses a request.
    enum Refusal { StillExecutingError = 1001, UnsupportedOperationError, MalformedUrlError };

    explicit CurlTransfer(QObject* parent = nullptr, int idleTimeoutMs = DefaultIdleTimeoutMs,
                          qint64 bodyCap = DefaultBodyCap, int deadlineMs = DefaultDeadlineMs);
    ~CurlTransfer() override;

    // Sends every later request through the HTTP proxy at `address` (http://host:port), the
    // environment's proxy settings and exemptions notwithstanding. Unset, they apply.
    void setProxy(const QByteArray& address) { proxy_ = address; }

    void Execute(const QString& url, const QString& operation,
                 const QString& requestHeaders) override;
    // Ends the request at once and quietly: no further state is reported, and a page request
    // waiting on it returns with nothing, as after a failure. For Ctrl+C in vandrel-fetch.
    void cancel();
    bool StillExecuting() const override { return executing_; }
    QString GetChunk(int size) override { return bodyText_.next(size); }
    QString GetHeader(const QString& name) const override;
    int ResponseCode() const override { return responseCode_; }
    QString ResponseInfo() const override { return responseInfo_; }

private:
    void start(const QByteArray& url, const QString& requestHeaders);
    void configure(const QByteArray& url);
    void attachCallbacks();
    void finish(CURLcode result);
    void release();
    void abortWith(const TransferError& error);
    void fail(const TransferError& error);
    void report(TransferState state);
    void later(std::function<void()> signal);
    void deliver();
    size_t stop(const TransferError& error);
    bool redirectsToInsecureAddress() const;

    static curl_socket_t onOpenSocket(void* self, curlsocktype, curl_sockaddr* address);
    static int onConnected(void* self, char*, char*, int, int);
    static int onDebug(CURL*, curl_infotype type, char*, size_t, void* self);
    static size_t onHeaderLine(char* line, size_t, size_t length, void* self);
    static size_t onBody(char* bytes, size_t, size_t length, void* self);
    static int onProgress(void* self, curl_off_t announced, curl_off_t received, curl_off_t,
                          curl_off_t);

    CurlMulti multi_;
    CURL* easy_ = nullptr;
    curl_slist* requestHeaders_ = nullptr;
    QTimer idleTimer_;
    QTimer deadline_;
    qint64 bodyCap_;
    QByteArray proxy_;
    bool executing_ = false;
    TransferState lastState_{};
    // Signals raised inside libcurl's callbacks wait here until libcurl has returned, so a
    // handler that processes events cannot call back into it.
    QList<std::function<void()>> pending_;
    std::optional<TransferError> stoppedBy_;
    ResponseHead head_;
    QByteArray body_;
    qint64 progressReported_ = 0;
    BodyText bodyText_;
    int responseCode_ = 0;
    QString responseInfo_;
};

} // namespace vandrel
