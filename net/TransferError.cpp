#include "net/TransferError.h"

#include <cerrno>

namespace vandrel {

namespace {

TransferError connectionClosed()
{
    return {2, QStringLiteral("Connection closed by the server")};
}

TransferError invalidResponse()
{
    return {399, QStringLiteral("Invalid HTTP response")};
}

} // namespace

TransferError TransferError::fromCurl(CURLcode code, long osErrno, bool headComplete)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
        if (osErrno == ECONNREFUSED)
            return {1, QStringLiteral("Connection refused")};
        return {99, QStringLiteral("Host unreachable")};
    case CURLE_COULDNT_RESOLVE_HOST:
        return {3, QStringLiteral("Host not found")};
    case CURLE_COULDNT_RESOLVE_PROXY:
        return {103, QStringLiteral("Proxy not found")};
    case CURLE_OPERATION_TIMEDOUT:
        return timedOut();
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_SEND_ERROR:
        return connectionClosed();
    // A reset comes with the system's error; a broken chunked coding without one.
    case CURLE_RECV_ERROR:
        return osErrno != 0 ? connectionClosed() : invalidResponse();
    // libcurl's own bound on one line of the head.
    case CURLE_OUT_OF_MEMORY:
        return headComplete ? TransferError{99, QStringLiteral("Out of memory")} : headTooLarge();
    case CURLE_TOO_MANY_REDIRECTS:
        return {10, QStringLiteral("Too many redirects")};
    case CURLE_BAD_CONTENT_ENCODING:
        return {299, QStringLiteral("Decompression failed")};
    // After a head, a redirect to another scheme; before one, an answer that is not HTTP.
    case CURLE_UNSUPPORTED_PROTOCOL:
        return headComplete
                   ? TransferError{301, QStringLiteral("Redirect to an unsupported address")}
                   : invalidResponse();
    case CURLE_WEIRD_SERVER_REPLY:
        return invalidResponse();
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return {6, QStringLiteral("Secure connection failed")};
    default:
        return {99, QString::fromLatin1(curl_easy_strerror(code))};
    }
}

} // namespace vandrel
