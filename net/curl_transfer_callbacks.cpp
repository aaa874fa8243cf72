// libcurl's callbacks: each marks a step of the transfer while libcurl runs, so they only
// note states and collect bytes; the signals wait for libcurl to return.
#include "net/curl_transfer.h"

#include <QUrl>
#include <sys/socket.h>

namespace vandrel {

bool CurlTransfer::redirectsToInsecureAddress() const
{
    const QByteArray location = head_.field("Location");
    if (head_.status() / 100 != 3 || location.isEmpty())
        return false;
    const char* current = nullptr;
    curl_easy_getinfo(easy_, CURLINFO_EFFECTIVE_URL, &current);
    const QUrl from(QString::fromLatin1(current));
    return from.scheme() == QLatin1String("https") &&
           from.resolved(QUrl(QString::fromLatin1(location))).scheme() == QLatin1String("http");
}

curl_socket_t CurlTransfer::onOpenSocket(void* self, curlsocktype, curl_sockaddr* address)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    transfer->idleTimer_.start();
    transfer->report(TransferState::HostResolved);
    transfer->report(TransferState::Connecting);
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
}

int CurlTransfer::onConnected(void* self, char*, char*, int, int)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    transfer->idleTimer_.start();
    transfer->report(TransferState::Connected);
    transfer->report(TransferState::Requesting);
    return CURL_PREREQFUNC_OK;
}

// libcurl shows the request head here once it has handed it to the socket. A CONNECT
// to a proxy goes out before Requesting and is not the request.
int CurlTransfer::onDebug(CURL*, curl_infotype type, char*, size_t, void* self)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    if (type == CURLINFO_HEADER_OUT && transfer->lastState_ >= TransferState::Requesting) {
        transfer->idleTimer_.start();
        transfer->report(TransferState::RequestSent);
    }
    return 0;
}

size_t CurlTransfer::onHeaderLine(char* line, size_t, size_t length, void* self)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    transfer->idleTimer_.start();
    transfer->report(TransferState::RequestSent);
    transfer->report(TransferState::Receiving);
    const QByteArrayView text(line, qsizetype(length));
    // A redirect's response counts its body from zero again.
    if (text.startsWith("HTTP/"))
        transfer->progressReported_ = 0;
    if (!transfer->head_.add(text))
        return transfer->stop(TransferError::of(TransferFailure::HeadTooLarge));
    if (transfer->head_.complete() && transfer->redirectsToInsecureAddress())
        return transfer->stop(TransferError::of(TransferFailure::InsecureRedirect));
    return length;
}

size_t CurlTransfer::onBody(char* bytes, size_t, size_t length, void* self)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    transfer->idleTimer_.start();
    if (transfer->body_.size() + qint64(length) > transfer->bodyCap_)
        return transfer->stop(TransferError::of(TransferFailure::BodyTooLarge));
    transfer->body_.append(bytes, qsizetype(length));
    return length;
}

int CurlTransfer::onProgress(void* self, curl_off_t announced, curl_off_t received, curl_off_t,
                             curl_off_t)
{
    auto* transfer = static_cast<CurlTransfer*>(self);
    if (transfer->lastState_ >= TransferState::Receiving &&
        received > transfer->progressReported_) {
        transfer->progressReported_ = received;
        transfer->later([transfer, received, announced] {
            emit transfer->progress(qint64(received), qint64(announced));
        });
    }
    return 0;
}

} // namespace vandrel
