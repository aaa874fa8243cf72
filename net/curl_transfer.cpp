#include "net/curl_transfer.h"

#include "text/failure.h"

#include <QUrl>

namespace vandrel {

namespace {

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && !url.isRelative() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

// Each non-empty "Name: value" line of the block becomes one request header.
curl_slist* headerList(const QString& block)
{
    curl_slist* list = nullptr;
    for (const QString& rawLine : block.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLatin1();
        const QByteArray value = line.mid(colon + 1).trimmed().toUtf8();
        // libcurl drops a "Name:" line; "Name;" is how it sends a field with no value.
        const QByteArray field = value.isEmpty() ? name + ';' : name + ": " + value;
        list = curl_slist_append(list, field.constData());
    }
    return list;
}

} // namespace

CurlTransfer::CurlTransfer(QObject* parent, int idleTimeoutMs, qint64 bodyCap, int deadlineMs)
    : TransferControl(parent), bodyCap_(bodyCap)
{
    for (auto [timer, interval] :
         {std::pair{&idleTimer_, idleTimeoutMs}, {&deadline_, deadlineMs}}) {
        timer->setSingleShot(true);
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this,
                [this] { abortWith(TransferError::of(TransferFailure::TimedOut)); });
    }
    connect(&multi_, &CurlMulti::ran, this, &CurlTransfer::deliver);
    connect(&multi_, &CurlMulti::finished, this, [this](CURL* easy, CURLcode result) {
        if (easy == easy_)
            finish(result);
    });
}

CurlTransfer::~CurlTransfer()
{
    if (easy_)
        release();
}

void CurlTransfer::Execute(const QString& url, const QString& operation,
                           const QString& requestHeaders)
{
    if (executing_)
        throw Failure(StillExecutingError, "Still executing last request");
    if (operation != QLatin1String("GET"))
        throw Failure(UnsupportedOperationError, "Only GET is supported");
    const QUrl address(url);
    if (!isWebAddress(address))
        throw Failure(MalformedUrlError, "URL is malformed");
    start(address.toEncoded(), requestHeaders);
}

void CurlTransfer::cancel()
{
    if (!executing_)
        return;
    release();
    pending_.clear();
    body_ = {};
    executing_ = false;
}

QString CurlTransfer::GetHeader(const QString& name) const
{
    QString wanted = name.trimmed();
    if (wanted.endsWith(QLatin1Char(':')))
        wanted.chop(1);
    return QString::fromLatin1(head_.field(wanted.toLatin1()));
}

void CurlTransfer::start(const QByteArray& url, const QString& requestHeaders)
{
    executing_ = true;
    lastState_ = TransferState{};
    stoppedBy_.reset();
    head_ = {};
    body_.clear();
    progressReported_ = 0;
    bodyText_ = {};
    responseCode_ = 0;
    responseInfo_.clear();

    easy_ = curl_easy_init();
    requestHeaders_ = headerList(requestHeaders);
    configure(url);
    // Delivered after libcurl's first run, so it reaches the monitor ahead of every later state.
    report(TransferState::ResolvingHost);
    idleTimer_.start();
    deadline_.start();
    multi_.add(easy_);
}

void CurlTransfer::configure(const QByteArray& url)
{
    curl_easy_setopt(easy_, CURLOPT_URL, url.constData());
    curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, requestHeaders_);
    curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy_, CURLOPT_MAXREDIRS, MaxRedirects);
    curl_easy_setopt(easy_, CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl_easy_setopt(easy_, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
    if (!proxy_.isEmpty()) {
        curl_easy_setopt(easy_, CURLOPT_PROXY, proxy_.constData());
        // An empty list, not no_proxy, decides: no host is exempt.
        curl_easy_setopt(easy_, CURLOPT_NOPROXY, "");
    }
    attachCallbacks();
}

// Each callback marks a step of the transfer: a state, a header line, body bytes.
void CurlTransfer::attachCallbacks()
{
    curl_easy_setopt(easy_, CURLOPT_OPENSOCKETFUNCTION, &CurlTransfer::onOpenSocket);
    curl_easy_setopt(easy_, CURLOPT_OPENSOCKETDATA, this);
    curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &CurlTransfer::onConnected);
    curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
    // The debug callback is the one that learns when the request has gone out; it is only
    // called in verbose mode, which writes nothing once the callback is set.
    curl_easy_setopt(easy_, CURLOPT_DEBUGFUNCTION, &CurlTransfer::onDebug);
    curl_easy_setopt(easy_, CURLOPT_DEBUGDATA, this);
    curl_easy_setopt(easy_, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &CurlTransfer::onHeaderLine);
    curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &CurlTransfer::onBody);
    curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &CurlTransfer::onProgress);
    curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
}

void CurlTransfer::finish(CURLcode result)
{
    long osErrno = 0;
    curl_easy_getinfo(easy_, CURLINFO_OS_ERRNO, &osErrno);
    release();
    if (stoppedBy_) {
        fail(*stoppedBy_);
    } else if (result != CURLE_OK) {
        fail(TransferError::fromCurl(result, osErrno, head_.complete()));
    } else if (head_.status() >= 400) {
        report(TransferState::ResponseReceived);
        fail({head_.status(), QString::fromLatin1(head_.reason())});
    } else {
        bodyText_ = BodyText(body_, head_.field("Content-Type"));
        body_ = {};
        report(TransferState::ResponseReceived);
        report(TransferState::Completed);
        deliver();
        executing_ = false;
    }
}

void CurlTransfer::release()
{
    idleTimer_.stop();
    deadline_.stop();
    multi_.remove(easy_);
    curl_easy_cleanup(easy_);
    easy_ = nullptr;
    curl_slist_free_all(requestHeaders_);
    requestHeaders_ = nullptr;
}

void CurlTransfer::abortWith(const TransferError& error)
{
    release();
    fail(error);
}

void CurlTransfer::fail(const TransferError& error)
{
    body_ = {};
    responseCode_ = error.number;
    responseInfo_ = error.text;
    report(TransferState::Failed);
    deliver();
    executing_ = false;
}

void CurlTransfer::report(TransferState state)
{
    // Each state at most once and in order: a redirect reconnects, a response reads many times.
    if (!executing_ || state <= lastState_)
        return;
    lastState_ = state;
    later([this, state] { emit StateChanged(state); });
}

void CurlTransfer::later(std::function<void()> signal)
{
    pending_.append(std::move(signal));
}

void CurlTransfer::deliver()
{
    while (!pending_.isEmpty())
        pending_.takeFirst()();
}

// Ends the transfer from inside a callback: libcurl fails it with a write error, which
// finish() replaces by `error`.
size_t CurlTransfer::stop(const TransferError& error)
{
    stoppedBy_ = error;
    return 0;
}

} // namespace vandrel
