#pragma once

#include <QString>
#include <curl/curl.h>

namespace vandrel {

// A failed transfer as the user reads it on the status line: "Error <number> <text>".
// The numbers and texts are listed in docs/robustness.md; keep the two in step.
struct TransferError
{
    int number;
    QString text;

    static TransferError timedOut() { return {4, QStringLiteral("Timed out")}; }
    static TransferError insecureRedirect()
    {
        return {11, QStringLiteral("Redirect to an insecure address refused")};
    }
    static TransferError bodyTooLarge() { return {299, QStringLiteral("Response too large")}; }
    static TransferError headTooLarge() { return {299, QStringLiteral("Response head too large")}; }

    // What libcurl's `code` means to the user; `osErrno` is the system's error behind it and
    // `headComplete` whether the response head had ended when it came.
    static TransferError fromCurl(CURLcode code, long osErrno, bool headComplete);
};

} // namespace vandrel
