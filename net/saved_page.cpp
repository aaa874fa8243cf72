#include "net/saved_page.h"

#include "net/ampersands.h"
#include "net/body_text.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
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

// Why the file at `origin` cannot be read as a page, before it is opened; empty when it can.
QString unfit(const PageOrigin& origin, FileKinds kinds)
{
    if (origin.kind == PageOrigin::Kind::StandardInput)
        return {};
    const QFileInfo file(origin.text);
    if (file.isDir())
        return QStringLiteral("%1 is a directory.").arg(nameOf(origin));
    if (kinds == FileKinds::RegularOnly && file.exists() && !file.isFile())
        return QStringLiteral("%1 is not a regular file.").arg(nameOf(origin));
    return {};
}

bool open(QFile& file, const PageOrigin& origin)
{
    constexpr auto mode = QIODevice::ReadOnly | QIODevice::Unbuffered;
    if (origin.kind == PageOrigin::Kind::StandardInput)
        return file.open(STDIN_FILENO, mode);
    file.setFileName(origin.text);
    return file.open(mode);
}

// Up to cap + 1 bytes: whatever the input holds beyond that is left unread.
QByteArray readAtMost(QFile& file, qint64 cap)
{
    QByteArray bytes;
    while (bytes.size() <= cap) {
        const QByteArray piece = file.read(qMin(PieceSize, cap + 1 - bytes.size()));
        if (piece.isEmpty())
            break;
        bytes += piece;
    }
    return bytes;
}

} // namespace

SavedBytes readSavedBytes(const PageOrigin& origin, FileKinds kinds, qint64 cap)
{
    if (QString error = unfit(origin, kinds); !error.isEmpty())
        return {{}, error};
    QFile file;
    const QString cannotRead = QStringLiteral("Cannot read %1: %2.");
    if (!open(file, origin))
        return {{}, cannotRead.arg(nameOf(origin), file.errorString())};
    QByteArray bytes = readAtMost(file, cap);
    if (file.error() != QFileDevice::NoError)
        return {{}, cannotRead.arg(nameOf(origin), file.errorString())};
    return {std::move(bytes), {}};
}

SavedPage readSavedPage(const PageOrigin& origin, FileKinds kinds, qint64 cap)
{
    const SavedBytes saved = readSavedBytes(origin, kinds, cap);
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
