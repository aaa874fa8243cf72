#pragma once

#include <QByteArray>
#include <QString>

namespace vandrel {

// The body of a response as text, handed out in pieces that each stand for at most
// a given number of body bytes and never end inside a character.
// The charset comes from a byte order mark, else the Content-Type header, else the
// page's <meta> declaration, else UTF-8 when the bytes are valid UTF-8, else
// windows-1252; Latin-1 labels mean windows-1252, as in browsers.
class BodyText
{
public:
    BodyText() = default;
    BodyText(const QByteArray& body, const QByteArray& contentType);

    const QString& text() const { return text_; }
    // The next piece, empty once the text is exhausted.
    QString next(qsizetype maxBytes);

private:
    enum class Width { SingleByte, Utf8, Utf16, Utf32 };

    qsizetype encodedSize(char32_t codePoint) const;

    QString text_;
    Width width_ = Width::SingleByte;
    qsizetype position_ = 0;
};

} // namespace vandrel
