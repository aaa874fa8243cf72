#include "net/body_text.h"

#include <QByteArrayList>
#include <QStringDecoder>
#include <array>
#include <optional>

namespace vandrel {

namespace {

using Encoding = QStringConverter::Encoding;

// Latin-1 is never decoded as such: every label that names it means windows-1252.
constexpr Encoding Windows1252 = QStringConverter::Latin1;

QString decodeWindows1252(const QByteArray& bytes)
{
    static constexpr std::array<char16_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        text[i] = QChar(byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t(byte));
    }
    return text;
}

std::optional<Encoding> encodingForLabel(QByteArray label)
{
    label = label.trimmed().toLower();
    while (label.startsWith('"') || label.startsWith('\''))
        label.remove(0, 1);
    while (label.endsWith('"') || label.endsWith('\''))
        label.chop(1);
    static const QByteArrayList windows1252Labels = {
        "windows-1252", "cp1252",  "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1",
        "latin1",       "latin-1", "l1",       "us-ascii",   "ascii"};
    if (windows1252Labels.contains(label))
        return Windows1252;
    if (label.isEmpty())
        return std::nullopt;
    return QStringConverter::encodingForName(label.constData());
}

QByteArray contentTypeCharset(const QByteArray& contentType)
{
    for (const QByteArray& parameter : contentType.split(';')) {
        const QByteArray trimmed = parameter.trimmed();
        if (trimmed.toLower().startsWith("charset="))
            return trimmed.mid(qstrlen("charset="));
    }
    return {};
}

// The charset a page declares in a <meta> tag near its start.
QByteArray metaCharset(const QByteArray& body)
{
    const QByteArray head = body.left(1024).toLower();
    const qsizetype meta = head.indexOf("<meta");
    const qsizetype charset = meta < 0 ? -1 : head.indexOf("charset=", meta);
    if (charset < 0)
        return {};
    qsizetype begin = charset + qstrlen("charset=");
    while (begin < head.size() && (head[begin] == '"' || head[begin] == '\'' || head[begin] == ' '))
        ++begin;
    qsizetype end = begin;
    while (end < head.size() && !QByteArrayView("\"'; \t\r\n/>").contains(head[end]))
        ++end;
    return head.mid(begin, end - begin);
}

// The charset a page states: by a byte order mark, else the Content-Type header, else its <meta>
// declaration.
std::optional<Encoding> declaredEncoding(const QByteArray& body, const QByteArray& contentType)
{
    if (const auto bom = QStringConverter::encodingForData(body))
        return *bom;
    if (const auto declared = encodingForLabel(contentTypeCharset(contentType)))
        return *declared;
    return encodingForLabel(metaCharset(body));
}

// The body as UTF-8 if it is valid UTF-8. Decoding is the check, so its text is kept: it is the
// text a second decoding would give, as a body without a byte order mark that leaves no sequence
// unfinished decodes alike with and without the decoder's state.
std::optional<QString> validUtf8(const QByteArray& body)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = decoder(body);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

BodyText::BodyText(const QByteArray& body, const QByteArray& contentType)
{
    const std::optional<Encoding> declared = declaredEncoding(body, contentType);
    if (!declared) {
        std::optional<QString> utf8 = validUtf8(body);
        width_ = utf8 ? Width::Utf8 : Width::SingleByte;
        text_ = utf8 ? *std::move(utf8) : decodeWindows1252(body);
        return;
    }
    switch (*declared) {
    case Windows1252:
        text_ = decodeWindows1252(body);
        return;
    case QStringConverter::Utf16:
    case QStringConverter::Utf16LE:
    case QStringConverter::Utf16BE:
        width_ = Width::Utf16;
        break;
    case QStringConverter::Utf32:
    case QStringConverter::Utf32LE:
    case QStringConverter::Utf32BE:
        width_ = Width::Utf32;
        break;
    default:
        width_ = Width::Utf8;
        break;
    }
    text_ = QStringDecoder(*declared).decode(body);
}

QString BodyText::next(qsizetype maxBytes)
{
    const qsizetype start = position_;
    qsizetype bytes = 0;
    while (position_ < text_.size()) {
        const bool pair = text_[position_].isHighSurrogate() && position_ + 1 < text_.size() &&
                          text_[position_ + 1].isLowSurrogate();
        const char32_t codePoint =
            pair ? QChar::surrogateToUcs4(text_[position_], text_[position_ + 1])
                 : text_[position_].unicode();
        bytes += encodedSize(codePoint);
        if (bytes > maxBytes)
            break;
        position_ += pair ? 2 : 1;
    }
    return text_.mid(start, position_ - start);
}

qsizetype BodyText::encodedSize(char32_t codePoint) const
{
    switch (width_) {
    case Width::SingleByte:
        return 1;
    case Width::Utf16:
        return codePoint > 0xFFFF ? 4 : 2;
    case Width::Utf32:
        return 4;
    case Width::Utf8:
        break;
    }
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

} // namespace vandrel
