#include "net/HttpTransfer.h"

#include "text/failure.h"

#include <QNetworkRequest>

namespace vandrel {

namespace {

constexpr int maximumRedirects = 10;

bool isWebAddress(const QUrl& url)
{
    return url.isValid() && !url.isRelative() && !url.host().isEmpty() &&
           (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https"));
}

// Each non-empty "Name: value" line of the block becomes one request header.
void addHeaders(QNetworkRequest& request, const QString& block)
{
    for (const QString& rawLine : block.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon > 0)
            request.setRawHeader(line.left(colon).trimmed().toLatin1(),
                                 line.mid(colon + 1).trimmed().toUtf8());
    }
}

QString describe(const QNetworkReply& reply)
{
    switch (reply.error()) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("Connection refused");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("Connection closed by the server");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Host not found");
    case QNetworkReply::TimeoutError:
        return QStringLiteral("Timed out");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("Secure connection failed");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("Too many redirects");
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("Redirect to an insecure address refused");
    default:
        return reply.errorString();
    }
}

} // namespace

HttpTransfer::HttpTransfer(QObject* parent, int idleTimeoutMs, qint64 bodyCap, int deadlineMs)
    : TransferControl(parent), bodyCap_(bodyCap)
{
    for (auto [timer, interval] :
         {std::pair{&idleTimer_, idleTimeoutMs}, {&deadline_, deadlineMs}}) {
        timer->setSingleShot(true);
        timer->setInterval(interval);
        connect(timer, &QTimer::timeout, this,
                [this] { abortWith(QNetworkReply::TimeoutError, QStringLiteral("Timed out")); });
    }
}

HttpTransfer::~HttpTransfer()
{
    if (reply_)
        releaseReply()->abort();
}

void HttpTransfer::Execute(const QString& url, const QString& operation,
                           const QString& requestHeaders)
{
    if (executing_)
        throw Failure(StillExecutingError, "Still executing last request");
    if (operation != QLatin1String("GET"))
        throw Failure(UnsupportedOperationError, "Only GET is supported");
    const QUrl address(url);
    if (!isWebAddress(address))
        throw Failure(MalformedUrlError, "URL is malformed");
    start(address, requestHeaders);
}

QString HttpTransfer::GetHeader(const QString& name) const
{
    QString wanted = name.trimmed();
    if (wanted.endsWith(QLatin1Char(':')))
        wanted.chop(1);
    for (const auto& [header, value] : headers_) {
        if (QString::fromLatin1(header).compare(wanted, Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(value);
    }
    return {};
}

void HttpTransfer::start(const QUrl& url, const QString& requestHeaders)
{
    executing_ = true;
    lastState_ = 0;
    body_.clear();
    bodyText_ = {};
    headers_.clear();
    responseCode_ = 0;
    responseInfo_.clear();

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(maximumRedirects);
    addHeaders(request, requestHeaders);
    // Posted before the reply exists, so it reaches the window ahead of every later state.
    QTimer::singleShot(0, this, [this] { report(1); });
    watch(manager_.get(request));
}

void HttpTransfer::watch(QNetworkReply* reply)
{
    reply_ = reply;
    connect(reply, &QNetworkReply::socketStartedConnecting, this, [this] {
        idleTimer_.start();
        report(2);
        report(3);
    });
    connect(reply, &QNetworkReply::requestSent, this, [this] {
        idleTimer_.start();
        report(4);
        report(5);
        report(6);
    });
    connect(reply, &QNetworkReply::redirected, this, [this] { idleTimer_.start(); });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
        idleTimer_.start();
        report(7);
    });
    connect(reply, &QNetworkReply::readyRead, this, &HttpTransfer::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, &HttpTransfer::onFinished);
    idleTimer_.start();
    deadline_.start();
}

// False when the body has outgrown the cap and the request has been failed.
bool HttpTransfer::collectBody()
{
    body_ += reply_->readAll();
    if (body_.size() <= bodyCap_)
        return true;
    abortWith(QNetworkReply::UnknownContentError, QStringLiteral("Response too large"));
    return false;
}

void HttpTransfer::onReadyRead()
{
    idleTimer_.start();
    report(7);
    collectBody();
}

void HttpTransfer::onFinished()
{
    if (!collectBody())
        return;
    QNetworkReply* reply = releaseReply();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400) {
        report(8);
        fail(status,
             QString::fromLatin1(
                 reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray()));
    } else if (reply->error() != QNetworkReply::NoError) {
        fail(reply->error(), describe(*reply));
    } else {
        headers_ = reply->rawHeaderPairs();
        bodyText_ = BodyText(body_, reply->rawHeader("Content-Type"));
        body_.clear();
        report(8);
        report(12);
        executing_ = false;
    }
}

// Detaches the running reply so that nothing it still emits reaches this transfer.
QNetworkReply* HttpTransfer::releaseReply()
{
    idleTimer_.stop();
    deadline_.stop();
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->deleteLater();
    return reply;
}

void HttpTransfer::abortWith(int code, const QString& info)
{
    releaseReply()->abort();
    fail(code, info);
}

void HttpTransfer::fail(int code, const QString& info)
{
    body_.clear();
    responseCode_ = code;
    responseInfo_ = info;
    report(11);
    executing_ = false;
}

void HttpTransfer::report(int state)
{
    // Each state at most once and in order: a redirect reconnects, a reply reads many times.
    if (!executing_ || state <= lastState_)
        return;
    lastState_ = state;
    emit StateChanged(state);
}

} // namespace vandrel
