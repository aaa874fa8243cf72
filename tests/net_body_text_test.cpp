#include "net/BodyText.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace vandrel {
namespace {

struct DecodeCase
{
    const char* name;
    QByteArray contentType;
    QByteArray body;
    QString expected;
};

class BodyTextDecoding : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(BodyTextDecoding, ChoosesTheCharset)
{
    const DecodeCase& c = GetParam();
    EXPECT_EQ(BodyText(c.body, c.contentType).text(), c.expected);
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
        DecodeCase{"HeaderLatin1Short", "text/html;charset=latin1", "caf\xe9", cafe},
        DecodeCase{"HeaderWindows1252", "text/html; charset=windows-1252", "\x93x\x94 \x80",
                   quotes},
        DecodeCase{"UndefinedWindows1252BytesKeepTheirCode", "text/plain; charset=cp1252",
                   "\x81\x8d\x8f\x90\x9d", QStringLiteral("\u0081\u008d\u008f\u0090\u009d")},
        DecodeCase{"MetaCharset", "text/html",
                   "<html><meta charset=\"windows-1252\">\x93x\x94 \x80",
                   QStringLiteral("<html><meta charset=\"windows-1252\">") + quotes},
        DecodeCase{"MetaHttpEquiv", "",
                   "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=iso-8859-1\">"
                   "caf\xe9",
                   QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                                  "charset=iso-8859-1\">") +
                       cafe},
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
                   QStringLiteral("hi")},
        DecodeCase{"Empty", "text/html", "", QString()}),
    [](const auto& info) { return std::string(info.param.name); });

using ByteCount = std::function<qsizetype(const QString&)>;
const ByteCount utf8Bytes = [](const QString& s) { return s.toUtf8().size(); };
const ByteCount singleBytes = [](const QString& s) { return s.size(); };
const ByteCount utf16Bytes = [](const QString& s) { return s.size() * 2; };

// Hands out every piece of 1024 bytes at most, checking the size and the boundaries of each.
QStringList pieces(BodyText& body, const ByteCount& bytesOf)
{
    QStringList result;
    for (QString piece = body.next(1024); !piece.isEmpty(); piece = body.next(1024)) {
        EXPECT_LE(bytesOf(piece), 1024);
        EXPECT_FALSE(piece.back().isHighSurrogate());
        EXPECT_FALSE(piece.front().isLowSurrogate());
        result.append(piece);
    }
    return result;
}

TEST(BodyTextPieces, Utf8CharacterAcrossTheBoundaryStaysWhole)
{
    const QByteArray body = QByteArray(1023, 'a') + "\xc3\xa9" + QByteArray(10, 'b');
    BodyText text(body, "text/html; charset=utf-8");
    const QStringList got = pieces(text, utf8Bytes);
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[0], QString(1023, QLatin1Char('a')));
    EXPECT_EQ(got[1], QStringLiteral("\u00e9bbbbbbbbbb"));
    EXPECT_TRUE(text.next(1024).isEmpty());
}

TEST(BodyTextPieces, MixedUtf8PiecesJoinToTheWholeText)
{
    // One to four bytes a character, so the 1024-byte boundaries fall at every offset.
    const QStringList characters = {QStringLiteral("a"), QStringLiteral("\u00e9"),
                                    QStringLiteral("\u20ac"), QString::fromUcs4(U"\U0001F3B5")};
    QString expected;
    for (int i = 0; i < 3000; ++i)
        expected += characters[i % 4];
    BodyText text(expected.toUtf8(), "text/html; charset=utf-8");
    EXPECT_EQ(pieces(text, utf8Bytes).join(QString()), expected);
}

TEST(BodyTextPieces, SingleBytePiecesAreFull)
{
    BodyText text(QByteArray(2500, '\xe9'), "text/html; charset=iso-8859-1");
    const QStringList got = pieces(text, singleBytes);
    ASSERT_EQ(got.size(), 3);
    EXPECT_EQ(got[0].size(), 1024);
    EXPECT_EQ(got[2], QString(452, QChar(0xe9)));
}

TEST(BodyTextPieces, Utf16PiecesKeepSurrogatePairs)
{
    const QString expected = QString(511, QLatin1Char('x')) + QString::fromUcs4(U"\U0001F3B5") +
                             QString(600, QLatin1Char('y'));
    QByteArray body("\xff\xfe", 2);
    body += QByteArray(reinterpret_cast<const char*>(expected.utf16()), expected.size() * 2);
    BodyText text(body, "text/plain");
    const QStringList got = pieces(text, utf16Bytes);
    EXPECT_EQ(got.value(0), QString(511, QLatin1Char('x')));
    EXPECT_EQ(got.join(QString()), expected);
}

} // namespace
} // namespace vandrel
