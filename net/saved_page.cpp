#include "net/saved_page.h"

#include "net/ampersands.h"
#include "net/body_text.h"

#include <QFile>
#include <QLocale>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vandrel {

namespace {

constexpr qint64 PieceSize = 64 * 1024;

// How the input is named at the start of a sentence.
QString nameOf(const PageOrigin& origin)
{
    return origin.kind == PageOrigin::Kind::StandardInput ? QStringLiteral("Standard input")
                                                          : u'"' + origin.text + u'"';
}

// The input at `origin`, open for reading: a file's own descriptor, closed when done, or that of
// standard input, which stays open.
class Input
{
public:
    explicit Input(const PageOrigin& origin)
        : owned_(origin.kind != PageOrigin::Kind::StandardInput),
          descriptor_(owned_
                          ? open(QFile::encodeName(origin.text).constData(), O_RDONLY | O_CLOEXEC)
                          : STDIN_FILENO)
    {
    }
    ~Input()
    {
        if (owned_ && descriptor_ >= 0)
            close(descriptor_);
    }
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    int descriptor() const { return descriptor_; }

private:
    bool owned_;
    int descriptor_;
};

// The window reads regular files only, since opening a pipe would wait for its writer; a file
// that does not exist yet is told so when it is opened.
bool irregular(const PageOrigin& origin, FileKinds kinds)
{
    struct stat info = {};
    return kinds == FileKinds::RegularOnly && origin.kind == PageOrigin::Kind::File &&
           stat(QFile::encodeName(origin.text).constData(), &info) == 0 && !S_ISREG(info.st_mode) &&
           !S_ISDIR(info.st_mode);
}

} // namespace

// A regular file is read in one piece of its size and one byte more: when that gives its size
// and no more, the file has ended, and when it gives the byte more, the file has grown and is read
// on. Anything else is read in pieces, until it ends or passes the cap.
SavedBytes readSavedBytes(const PageOrigin& origin, FileKinds kinds, qint64 cap,
                          const BeforeReading& beforeReading)
{
    if (irregular(origin, kinds))
        return {{}, QStringLiteral("%1 is not a regular file.").arg(nameOf(origin))};
    const auto cannotRead = [&origin](int error) {
        return SavedBytes{
            {}, QStringLiteral("Cannot read %1: %2.").arg(nameOf(origin), qt_error_string(error))};
    };
    const Input input(origin);
    struct stat info = {};
    if (input.descriptor() < 0 || fstat(input.descriptor(), &info) != 0)
        return cannotRead(errno);
    if (S_ISDIR(info.st_mode))
        return {{}, QStringLiteral("%1 is a directory.").arg(nameOf(origin))};
    const bool regular = S_ISREG(info.st_mode);
    if (beforeReading)
        beforeReading(regular ? qMin(info.st_size, cap) + 1 : cap + 1);
    const qint64 expected = regular ? info.st_size + 1 : PieceSize;
    QByteArray bytes(qMin(expected, cap + 1), Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > cap)
                break;
            bytes.resize(qMin(filled + PieceSize, cap + 1));
        }
        const qsizetype wanted = bytes.size() - filled;
        const ssize_t got = read(input.descriptor(), bytes.data() + filled, std::size_t(wanted));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return cannotRead(errno);
        filled += got;
        if (got == 0 || (regular && got < wanted && filled == info.st_size))
            break;
    }
    bytes.truncate(filled);
    return {std::move(bytes), {}};
}

SavedPage readSavedPage(const PageOrigin& origin, FileKinds kinds, qint64 cap,
                        const BeforeReading& beforeReading)
{
    const SavedBytes saved = readSavedBytes(origin, kinds, cap, beforeReading);
    if (!saved.error.isEmpty())
        return {{}, saved.error};
    const QByteArray& bytes = saved.bytes;
    if (bytes.size() > cap)
        return {{},
                QStringLiteral("%1 is larger than a page may be (%2).")
                    .arg(nameOf(origin), QLocale::c().formattedDataSize(cap, 0))};
    // The decoded text is the pass's own, so that it is changed where it lies, not copied.
    QString decoded = BodyText(bytes, {}).text();
    // A byte order mark alone is empty too.
    QString text = withPlainAmpersands(std::move(decoded));
    if (text.isEmpty())
        return {{}, QStringLiteral("%1 is empty.").arg(nameOf(origin))};
    return {std::move(text), {}};
}

} // namespace vandrel
