#pragma once

#include <QImage>
#include <QStringView>

#include <cstdint>

namespace menugeral {

// The form Qt paints fastest, a plain copy or blend with no palette to look
// up: premultiplied ARGB when the picture has transparency, RGB32 when it is
// opaque.
inline QImage::Format paintingFormat(const QImage &picture)
{
    return picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
}

// Artwork stored ready to paint: this header, then the rows of pixels exactly
// as a QImage in paintingFormat() holds them in memory, so that the program
// wraps them where they lie. Written at build time from the PNGs, on a
// machine of the program's byte order (the magic tells otherwise).
struct ReadyPixelsHeader
{
    std::uint32_t magic;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bytesPerLine;
    std::uint32_t format; // a QImage::Format
};

inline constexpr std::uint32_t kReadyPixelsMagic = 0x5850474Du; // "MGPX" read in little-endian order

// The ready copy of the embedded ":/<name>" is ":/pixels/<name>".
inline constexpr QStringView kReadyPixelsRoot = u":/pixels/";

} // namespace menugeral
