#include "core/Windows1252.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <cstddef>

namespace menugeral::Windows1252 {
namespace {

// Code points of the bytes 0x80 to 0x9F, the only block where the code page
// differs from Latin-1. The five undefined bytes keep their C1 control, so a
// file holding them survives a read and a save unchanged.
constexpr std::array<char16_t, 32> kHighBlock{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021', // 0x80
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F', // 0x88
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014', // 0x90
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178', // 0x98
};

constexpr char16_t kHighBlockStart = 0x80;
constexpr char16_t kHighBlockEnd = 0xA0;
constexpr int kNoByte = -1;

int byteOf(char16_t c)
{
    if (c < kHighBlockStart || (c >= kHighBlockEnd && c <= 0xFF))
        return c;
    const auto found = std::find(kHighBlock.begin(), kHighBlock.end(), c);
    if (found == kHighBlock.end())
        return kNoByte;
    return kHighBlockStart + static_cast<int>(found - kHighBlock.begin());
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        const bool inHighBlock = value >= kHighBlockStart && value < kHighBlockEnd;
        *out++ = QChar(inHighBlock ? kHighBlock[static_cast<std::size_t>(value - kHighBlockStart)] : char16_t{value});
    }
    return text;
}

std::optional<QByteArray> encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        const int byte = byteOf(c.unicode());
        if (byte == kNoByte)
            return std::nullopt;
        *out++ = static_cast<char>(byte);
    }
    return bytes;
}

bool canEncode(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return byteOf(c.unicode()) != kNoByte; });
}

} // namespace menugeral::Windows1252
