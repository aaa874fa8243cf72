#include "net/transfer_error.h"

#include <algorithm>
#include <cerrno>

namespace vandrel {

namespace {

using enum TransferFailure;

constexpr TransferErrorRow Table[] = {
    {ConnectionRefused, 1, "Connection refused",
     "nothing listens at the address (through a proxy: at the proxy's)"},
    {ConnectionClosed, 2, "Connection closed by the server",
     "the server closed or reset the connection before the response was complete, or answered "
     "nothing"},
    {HostNotFound, 3, "Host not found", "the host name does not resolve"},
    {TimedOut, 4, "Timed out", "the idle time-out or the deadline"},
    {SecureConnectionFailed, 6, "Secure connection failed",
     "the TLS handshake or the certificate check failed"},
    {TooManyRedirects, 10, "Too many redirects", "an eleventh redirect"},
    {InsecureRedirect, 11, "Redirect to an insecure address refused",
     "an `https` page redirects to `http`"},
    {HostUnreachable, 99, "Host unreachable",
     "connecting failed for another reason than a refusal"},
    {OutOfMemory, 99, "Out of memory", "libcurl ran out of memory after the head"},
    {OtherCurlFailure, 99, "", "any other failure of the transfer"},
    {ProxyNotFound, 103, "Proxy not found", "the proxy's host name does not resolve"},
    {BodyTooLarge, 299, "Response too large", "the body cap"},
    {HeadTooLarge, 299, "Response head too large",
     "the head cap, or one header line past libcurl's limit"},
    {DecompressionFailed, 299, "Decompression failed",
     "a gzip or deflate body that does not decode"},
    {UnsupportedRedirect, 301, "Redirect to an unsupported address",
     "a redirect to a scheme other than `http` and `https`"},
    {InvalidResponse, 399, "Invalid HTTP response",
     "an answer that is not HTTP, or a broken chunked coding"},
};

} // namespace

std::span<const TransferErrorRow> transferErrorTable()
{
    return Table;
}

TransferError TransferError::of(TransferFailure failure)
{
    const TransferErrorRow& row = *std::ranges::find(Table, failure, &TransferErrorRow::failure);
    return {row.number, QString::fromLatin1(row.text)};
}

TransferError TransferError::fromCurl(CURLcode code, long osErrno, bool headComplete)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
        return of(osErrno == ECONNREFUSED ? ConnectionRefused : HostUnreachable);
    case CURLE_COULDNT_RESOLVE_HOST:
        return of(HostNotFound);
    case CURLE_COULDNT_RESOLVE_PROXY:
        return of(ProxyNotFound);
    case CURLE_OPERATION_TIMEDOUT:
        return of(TimedOut);
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_SEND_ERROR:
        return of(ConnectionClosed);
    // A reset comes with the system's error; a broken chunked coding without one.
    case CURLE_RECV_ERROR:
        return of(osErrno != 0 ? ConnectionClosed : InvalidResponse);
    // libcurl's own bound on one line of the head.
    case CURLE_OUT_OF_MEMORY:
        return of(headComplete ? OutOfMemory : HeadTooLarge);
    case CURLE_TOO_MANY_REDIRECTS:
        return of(TooManyRedirects);
    case CURLE_BAD_CONTENT_ENCODING:
        return of(DecompressionFailed);
    // After a head, a redirect to another scheme; before one, an answer that is not HTTP.
    case CURLE_UNSUPPORTED_PROTOCOL:
        return of(headComplete ? UnsupportedRedirect : InvalidResponse);
    case CURLE_WEIRD_SERVER_REPLY:
        return of(InvalidResponse);
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
        return of(SecureConnectionFailed);
    default:
        return {of(OtherCurlFailure).number, QString::fromLatin1(curl_easy_strerror(code))};
    }
}

} // namespace vandrel
