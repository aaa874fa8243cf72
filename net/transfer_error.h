#pragma once

#include <QString>
#include <curl/curl.h>

#include <span>
#include <string_view>

namespace vandrel {

// The ways a transfer can fail before its response is complete.
enum class TransferFailure {
    ConnectionRefused,
    ConnectionClosed,
    HostNotFound,
    TimedOut,
    SecureConnectionFailed,
    TooManyRedirects,
    InsecureRedirect,
    HostUnreachable,
    OutOfMemory,
    OtherCurlFailure,
    ProxyNotFound,
    BodyTooLarge,
    HeadTooLarge,
    DecompressionFailed,
    UnsupportedRedirect,
    InvalidResponse,
};

// One row of the failure table: what the user reads and when. docs/robustness.md shows the
// same table, and a test holds the two together.
struct TransferErrorRow
{
    TransferFailure failure;
    int number;
    std::string_view text; // empty: libcurl's own short text
    std::string_view when;
};

// Every failure once, in the order of the documented table.
std::span<const TransferErrorRow> transferErrorTable();

// A failed transfer as the user reads it on the status line: "Error <number> <text>".
struct TransferError
{
    int number;
    QString text;

    static TransferError of(TransferFailure failure);

    // What libcurl's `code` means to the user; `osErrno` is the system's error behind it and
    // `headComplete` whether the response head had ended when it came.
    static TransferError fromCurl(CURLcode code, long osErrno, bool headComplete);
};

} // namespace vandrel
