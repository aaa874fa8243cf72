#include "net/body_text.h"
#include "net/transfer_monitor.h"
#include "net/version_check.h"
#include "support/fake_transfer.h"

#include <QRegularExpression>
#include <cassert>

// A response body through the transfer monitor: the first byte picks the size of the pieces,
// the first line is the Content-Type, the second the Content-Length, the rest the body. The
// pieces never split a character and together give the whole text; the announced size reads as
// its leading number; the version cut takes no more than the text holds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vandrel;
    if (size < 1)
        return 0;
    const QByteArrayList lines =
        QByteArray(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1)).split('\n');
    BodyText text(lines.mid(2).join('\n'), lines.value(0));
    test::FakeTransfer transfer;
    transfer.contentLength = QString::fromLatin1(lines.value(1));
    // A UTF-32 character takes 4 bytes, and every piece holds at least one.
    qsizetype end = 0;
    for (QString piece; !(piece = text.next(4 + data[0] % 16)).isEmpty(); transfer.body << piece) {
        end += piece.size();
        assert(!piece.back().isHighSurrogate() || end == text.text().size() ||
               !text.text()[end].isLowSurrogate());
    }
    TransferMonitor monitor(transfer);
    transfer.autoFinish = false;
    transfer.Execute({}, {}, {});
    monitor.inetGet_StateChanged(TransferState::Completed);
    assert(monitor.PageText() == text.text());
    // Blanks, then the digits; beyond 32 bits, the largest size.
    const QString digits = QRegularExpression(QStringLiteral("^[ \t]*0*([0-9]*)"))
                               .match(transfer.contentLength)
                               .captured(1);
    assert(monitor.PageSize() ==
           (digits.size() > 10 ? INT32_MAX : qMin(digits.toLongLong(), qint64(INT32_MAX))));
    try {
        assert(text.text().contains(
            QString::fromStdU16String(newestVersion(text.text().toStdU16String()))));
    } catch (const Failure&) {
        // Past the 16-bit positions: the version check reports it.
    }
    return 0;
}
