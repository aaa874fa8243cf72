#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace vandrel {

// The head of the response being received, fed one line at a time (line end included):
// the status and fields of the latest response, and its size in bytes. Interim (1xx)
// heads count towards the size of the response they precede; a redirect starts anew.
class ResponseHead
{
public:
    // Beyond this the head is refused: no real page has a head near it, and a server that
    // keeps sending header lines would otherwise hold memory for as long as it sends.
    static constexpr qsizetype SizeCap = 256 * 1024;

    // False once the head has grown past the cap.
    bool add(QByteArrayView line);

    // True from the blank line that ends a final (not 1xx) head.
    bool complete() const { return complete_; }
    int status() const { return status_; }
    const QByteArray& reason() const { return reason_; }
    // The value of the first field named `name` (without its colon, any case); empty if none.
    QByteArray field(QByteArrayView name) const;

private:
    void readStatusLine(const QByteArray& line);

    qsizetype size_ = 0;
    bool complete_ = false;
    int status_ = 0;
    QByteArray reason_;
    // The header lines of the latest head, trimmed, one per line: a field list would cost
    // several times the bytes of a head of many tiny lines.
    QByteArray fields_;
};

} // namespace vandrel
