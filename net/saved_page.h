#pragma once

#include "net/curl_transfer.h"
#include "net/page_origin.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace vandrel {

// Which files a front end reads. The window takes regular files only, so that a read ends at
// once; the command line takes anything but a directory (a pipe, a device, /dev/fd/N) and reads
// it until it ends, as cat does.
enum class FileKinds { RegularOnly, AnyButDirectories };

// A saved copy of a page as the sources read it, or why there is none.
struct SavedPage
{
    QString text;
    QString error; // for the status line; empty when the text was read
};

// Told the most bytes a read will hold once the input is open and before anything is read: a
// regular file's size and one more, else the cap and one more. A front end that reads many pages
// at once waits in it until their memory allows one more.
using BeforeReading = std::function<void(qint64 bytes)>;

// The bytes of a file or standard input as they are, or why they cannot be read: at most `cap`
// bytes and one more, to tell that the input is longer.
struct SavedBytes
{
    QByteArray bytes;
    QString error; // empty when the bytes were read
};
SavedBytes readSavedBytes(const PageOrigin& origin, FileKinds kinds, qint64 cap,
                          const BeforeReading& beforeReading = {});

// Reads the page at `origin`, a file or standard input, as the body of a completed download
// without a Content-Type: the charset from a byte order mark, else the page's <meta>, else UTF-8
// when the bytes are valid UTF-8, else windows-1252; then every "&amp;" turned into "&". No more
// than `cap` bytes are read, and one more to tell that the input is longer: an endless one fails.
SavedPage readSavedPage(const PageOrigin& origin, FileKinds kinds,
                        qint64 cap = CurlTransfer::DefaultBodyCap,
                        const BeforeReading& beforeReading = {});

} // namespace vandrel
