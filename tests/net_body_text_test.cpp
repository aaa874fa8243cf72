#include "net/body_text.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

const QString Cafe = QStringLiteral("caf\u00e9");
const QString Quotes = QStringLiteral("\u201cx\u201d \u20ac");

TEST(BodyTextDecoding, ChoosesTheCharset)
{
    const std::tuple<const char*, QByteArray, QByteArray, QString> cases[] = {
        {"HeaderQuotedUpperCase", "text/html; Charset=\"UTF-8\"", "caf\xc3\xa9", Cafe},
        {"HeaderLatin1MeansWindows1252", "text/html; charset=ISO-8859-1", "\x93x\x94 \x80", Quotes},
        {"UndefinedWindows1252BytesKeepTheirCode", "text/plain; charset=cp1252",
         "\x81\x8d\x8f\x90\x9d", QStringLiteral("\u0081\u008d\u008f\u0090\u009d")},
        {"MetaCharset", "text/html", "<meta charset=\"windows-1252\">\x93x\x94 \x80",
         QStringLiteral("<meta charset=\"windows-1252\">") + Quotes},
        {"HeaderWinsOverMeta", "text/html; charset=utf-8", "<meta charset=windows-1252>caf\xc3\xa9",
         QStringLiteral("<meta charset=windows-1252>") + Cafe},
        {"UndeclaredValidUtf8", "text/html", "caf\xc3\xa9", Cafe},
        {"UndeclaredInvalidUtf8IsWindows1252", "text/html", "caf\xe9 \x80",
         Cafe + QStringLiteral(" \u20ac")},
        {"UnknownLabelFallsThrough", "text/html; charset=x-unheard-of", "caf\xe9", Cafe},
        {"ByteOrderMarkWins", "text/html; charset=iso-8859-1", "\357\273\277caf\303\251", Cafe},
    };
    for (const auto& [name, contentType, body, text] : cases)
        EXPECT_EQ(BodyText(body, contentType).text().toStdString(), text.toStdString()) << name;
}

// Every piece holds at most 1024 bytes of the body and as many as the next character allows,
// in each width of encoding; so the boundaries fall at every offset within a character.
TEST(BodyTextPieces, AsFullAsTheNextCharacterAllowsAndNeverSplitOne)
{
    const QString mixed =
        (QStringLiteral("a\u00e9\u20ac") + QString::fromUcs4(U"\U0001F3B5")).repeated(700);
    // UTF-16 is told by its byte order mark; UTF-8 by one, or by being valid without any.
    const std::tuple<QString, QStringConverter::Encoding, QByteArray, bool> cases[] = {
        {mixed, QStringConverter::Utf8, "text/html; charset=utf-8", true},
        {mixed, QStringConverter::Utf8, "text/html", false},
        {mixed, QStringConverter::Utf16LE, "text/plain", true},
        {QString(2500, QChar(0xe9)), QStringConverter::Latin1, "text/html; charset=latin1", false}};
    for (const auto& [text, encoding, contentType, bom] : cases) {
        const auto bytes = [encoding = encoding](const QString& s) {
            return QByteArray(QStringEncoder(encoding).encode(s)).size();
        };
        const auto flags = bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default;
        BodyText body(QStringEncoder(encoding, flags).encode(text), contentType);
        qsizetype end = 0;
        for (QString piece = body.next(1024); !piece.isEmpty(); piece = body.next(1024)) {
            EXPECT_EQ(piece, text.mid(end, piece.size()));
            end += piece.size();
            const bool pair = end < text.size() && text[end].isHighSurrogate();
            const QString next = text.mid(end, pair ? 2 : 1);
            EXPECT_LE(bytes(piece), 1024);
            EXPECT_TRUE(end == text.size() || bytes(piece) + bytes(next) > 1024) << end;
        }
        EXPECT_EQ(end, text.size());
    }
}

} // namespace
} // namespace vandrel
