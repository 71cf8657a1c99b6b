#include "core/Windows1252.h"

#include <QSet>

#include <gtest/gtest.h>

#if __has_include(<iconv.h>)
#include <iconv.h>
#define MENUGERAL_HAVE_ICONV 1
#endif

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

QByteArray everyByte()
{
    QByteArray bytes(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        bytes[i] = static_cast<char>(i);
    return bytes;
}

char16_t decodedByte(int byte)
{
    const QString text = Windows1252::decode(QByteArray(1, static_cast<char>(byte)));
    return text.size() == 1 ? text.front().unicode() : char16_t{0xFFFF};
}

TEST(Windows1252, EveryByteSurvivesDecodeAndEncode)
{
    const QByteArray bytes = everyByte();
    const QString text = Windows1252::decode(bytes);
    ASSERT_EQ(text.size(), 256);
    EXPECT_TRUE(Windows1252::canEncode(text));
    EXPECT_EQ(Windows1252::encode(text), bytes);
}

TEST(Windows1252, BytesOutsideTheHighBlockAreLatin1)
{
    for (int byte = 0; byte < 256; ++byte) {
        if (byte >= 0x80 && byte < 0xA0)
            continue;
        EXPECT_EQ(decodedByte(byte), byte) << "byte " << byte;
    }
}

TEST(Windows1252, HighBlockFollowsThePublishedTable)
{
    const struct
    {
        int byte;
        char16_t codePoint;
    } published[] = {
        {0x80, u'\u20AC'}, // euro sign
        {0x82, u'\u201A'},
        {0x85, u'\u2026'},
        {0x8A, u'\u0160'},
        {0x8C, u'\u0152'},
        {0x93, u'\u201C'},
        {0x96, u'\u2013'},
        {0x99, u'\u2122'},
        {0x9E, u'\u017E'},
        {0x9F, u'\u0178'},
        // undefined in the code page: kept as the C1 control of the same value
        {0x81, u'\u0081'},
        {0x8D, u'\u008D'},
        {0x8F, u'\u008F'},
        {0x90, u'\u0090'},
        {0x9D, u'\u009D'},
    };
    for (const auto &row : published)
        EXPECT_EQ(decodedByte(row.byte), row.codePoint) << "byte " << row.byte;
}

TEST(Windows1252, HighBlockHoldsTwentySevenDistinctCharacters)
{
    QSet<char16_t> characters;
    for (int byte = 0x80; byte < 0xA0; ++byte) {
        if (const char16_t c = decodedByte(byte); c >= 0x100)
            characters.insert(c);
    }
    EXPECT_EQ(characters.size(), 27);
}

#ifdef MENUGERAL_HAVE_ICONV
// The system's own converter is an independent copy of the published table.
TEST(Windows1252, HighBlockAgreesWithTheSystemConverter)
{
    const iconv_t converter = iconv_open("UTF-16LE", "CP1252");
    if (converter == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "the C library has no CP1252 converter";
    for (int byte = 0x80; byte < 0xA0; ++byte) {
        char in = static_cast<char>(byte);
        unsigned char out[4] = {};
        char *inPtr = &in;
        char *outPtr = reinterpret_cast<char *>(out);
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            EXPECT_EQ(decodedByte(byte), byte) << "undefined byte " << byte << " keeps its C1 control";
            continue;
        }
        EXPECT_EQ(decodedByte(byte), out[0] | (out[1] << 8)) << "byte " << byte;
    }
    iconv_close(converter);
}
#endif

TEST(Windows1252, ExactlyTheCharactersOfTheTableEncode)
{
    int encodable = 0;
    for (int code = 0; code <= 0xFFFF; ++code) {
        const QChar c(static_cast<char16_t>(code));
        const std::optional<QByteArray> byte = Windows1252::encode(QStringView(&c, 1));
        ASSERT_EQ(Windows1252::canEncode(QStringView(&c, 1)), byte.has_value()) << "U+" << code;
        if (!byte)
            continue;
        ++encodable;
        ASSERT_EQ(byte->size(), 1);
        EXPECT_EQ(decodedByte(static_cast<unsigned char>(byte->front())), code) << "U+" << code;
    }
    EXPECT_EQ(encodable, 256);
}

TEST(Windows1252, TextWithACharacterWithoutAByteIsRefused)
{
    const QString refused[] = {
        u"C:\\Programas\\\u4E2D\u6587.exe"_s, // CJK
        u"Caixa \u0100"_s,                    // Latin Extended-A outside the table
        u"\u0080"_s,                          // its byte holds the euro sign
        u"emoji \U0001F600"_s,                // surrogate pair
        QString(QChar(u'\xD800')),            // lone surrogate
    };
    for (const QString &text : refused) {
        EXPECT_FALSE(Windows1252::canEncode(text)) << text.toStdString();
        EXPECT_FALSE(Windows1252::encode(text).has_value()) << text.toStdString();
    }
    EXPECT_EQ(Windows1252::encode(u"Servi\u00e7os \u20AC"), QByteArray("Servi\xE7os \x80"));
}

} // namespace
} // namespace menugeral
