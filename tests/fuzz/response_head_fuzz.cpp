#include "net/response_head.h"

#include <cassert>

// The response head fed line by line, each line with its "\n", as libcurl hands them over. A
// line that starts with the byte 0xff stands for a header line of one KiB more than the next
// byte says, so that inputs of the fuzzer's usual size reach the cap, and exactly. The head must
// accept exactly the lines that keep it within its cap, counted anew after each complete head.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    vandrel::ResponseHead head;
    qsizetype headSize = 0;
    for (qsizetype start = 0; start < input.size();) {
        const qsizetype end = input.indexOf('\n', start);
        QByteArray line = input.mid(start, end < 0 ? -1 : end + 1 - start);
        start += line.size();
        if (line.startsWith('\xff')) {
            const int kib = quint8(line.size() > 1 ? line[1] : line[0]) + 1;
            line = "X: " + QByteArray(kib * 1024 - 5, 'x') + "\r\n";
        }
        headSize = (head.complete() ? 0 : headSize) + line.size();
        const bool accepted = head.add(line);
        assert(accepted == (headSize <= vandrel::ResponseHead::SizeCap));
        assert(!head.field("content-length").contains('\n'));
        if (!accepted)
            break;
    }
    return 0;
}
