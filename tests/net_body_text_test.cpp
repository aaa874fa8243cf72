#include "net/BodyText.h"

#include <QStringEncoder>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

struct DecodeCase
{
    const char* name;
    QByteArray contentType;
    QByteArray body;
    QString text;
};

class BodyTextDecoding : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(BodyTextDecoding, ChoosesTheCharset)
{
    EXPECT_EQ(BodyText(GetParam().body, GetParam().contentType).text(), GetParam().text);
}

const QString cafe = QStringLiteral("caf\u00e9");
const QString quotes = QStringLiteral("\u201cx\u201d \u20ac");

INSTANTIATE_TEST_SUITE_P(
    Charsets, BodyTextDecoding,
    ::testing::Values(
        DecodeCase{"HeaderUtf8", "text/html; charset=utf-8", "caf\xc3\xa9", cafe},
        DecodeCase{"HeaderQuotedUpperCase", "text/html; Charset=\"UTF-8\"", "caf\xc3\xa9", cafe},
        DecodeCase{"HeaderLatin1MeansWindows1252", "text/html; charset=ISO-8859-1",
                   "\x93x\x94 \x80", quotes},
        DecodeCase{"UndefinedWindows1252BytesKeepTheirCode", "text/plain; charset=cp1252",
                   "\x81\x8d\x8f\x90\x9d", QStringLiteral("\u0081\u008d\u008f\u0090\u009d")},
        DecodeCase{"MetaCharset", "text/html", "<meta charset=\"windows-1252\">\x93x\x94 \x80",
                   QStringLiteral("<meta charset=\"windows-1252\">") + quotes},
        DecodeCase{"MetaHttpEquiv", "", "<META CONTENT=\"text/html; charset=iso-8859-1\">caf\xe9",
                   QStringLiteral("<META CONTENT=\"text/html; charset=iso-8859-1\">") + cafe},
        DecodeCase{"HeaderWinsOverMeta", "text/html; charset=utf-8",
                   "<meta charset=windows-1252>caf\xc3\xa9",
                   QStringLiteral("<meta charset=windows-1252>") + cafe},
        DecodeCase{"UndeclaredValidUtf8", "text/html", "caf\xc3\xa9", cafe},
        DecodeCase{"UndeclaredInvalidUtf8IsWindows1252", "text/html", "caf\xe9 \x80",
                   cafe + QStringLiteral(" \u20ac")},
        DecodeCase{"UnknownLabelFallsThrough", "text/html; charset=x-unheard-of", "caf\xe9", cafe},
        DecodeCase{"ByteOrderMarkWins", "text/html; charset=iso-8859-1",
                   "\xef\xbb\xbf"
                   "caf\xc3\xa9",
                   cafe},
        DecodeCase{"Utf16WithByteOrderMark", "", QByteArray("\xff\xfeh\0i\0", 6),
                   QStringLiteral("hi")}),
    [](const auto& info) { return std::string(info.param.name); });

// Every piece holds at most 1024 bytes of the body and as many as the next character allows,
// in each width of encoding; so the boundaries fall at every offset within a character.
TEST(BodyTextPieces, AsFullAsTheNextCharacterAllowsAndNeverSplitOne)
{
    const QString mixed =
        (QStringLiteral("a\u00e9\u20ac") + QString::fromUcs4(U"\U0001F3B5")).repeated(700);
    const struct
    {
        QString text;
        QStringConverter::Encoding encoding;
        QByteArray contentType;
    } cases[] = {
        {mixed, QStringConverter::Utf8, "text/html; charset=utf-8"},
        {mixed, QStringConverter::Utf16LE, "text/plain; charset=utf-16le"},
        {QString(2500, QChar(0xe9)), QStringConverter::Latin1, "text/html; charset=latin1"}};
    for (const auto& c : cases) {
        const auto bytes = [&c](const QString& s) {
            return QByteArray(QStringEncoder(c.encoding).encode(s)).size();
        };
        BodyText body(QStringEncoder(c.encoding).encode(c.text), c.contentType);
        qsizetype end = 0;
        for (QString piece = body.next(1024); !piece.isEmpty(); piece = body.next(1024)) {
            EXPECT_EQ(piece, c.text.mid(end, piece.size()));
            end += piece.size();
            const QString next = c.text.mid(end, c.text[end].isHighSurrogate() ? 2 : 1);
            EXPECT_LE(bytes(piece), 1024);
            EXPECT_TRUE(end == c.text.size() || bytes(piece) + bytes(next) > 1024) << end;
        }
        EXPECT_EQ(end, c.text.size());
    }
}

} // namespace
} // namespace vandrel
