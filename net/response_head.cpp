#include "net/response_head.h"

#include <QByteArrayList>

namespace vandrel {

bool ResponseHead::add(QByteArrayView line)
{
    if (complete_) {
        complete_ = false;
        size_ = 0;
    }
    size_ += line.size();
    if (size_ > SizeCap)
        return false;
    const QByteArray content = line.toByteArray().trimmed();
    if (line.startsWith("HTTP/")) {
        readStatusLine(content);
    } else if (content.isEmpty()) {
        complete_ = status_ / 100 != 1;
    } else {
        fields_ += content + '\n';
    }
    return true;
}

QByteArray ResponseHead::field(QByteArrayView name) const
{
    for (qsizetype start = 0, end; (end = fields_.indexOf('\n', start)) >= 0; start = end + 1) {
        const QByteArray line = fields_.mid(start, end - start);
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

// "HTTP/1.1 404 Not Found": the code, then the reason phrase as the server wrote it.
void ResponseHead::readStatusLine(const QByteArray& line)
{
    fields_.clear();
    const QByteArrayList parts = line.split(' ');
    status_ = parts.value(1).toInt();
    reason_ = parts.size() > 2 ? line.mid(parts[0].size() + parts[1].size() + 2) : QByteArray();
}

} // namespace vandrel
