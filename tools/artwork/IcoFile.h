#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

namespace menugeral::artwork {

// One picture of an icon file.
struct IcoPicture
{
    // Straight alpha. For 4 and 8 bits per pixel every pixel is either fully
    // transparent or exactly a colour of `palette`.
    QImage image;
    int bitsPerPixel;    // 4, 8 or 32
    QList<QRgb> palette; // at most 16 or 256 colours; empty for 32 bits
    // Kept as a PNG file instead of a bitmap, as Windows expects of a 256 px
    // picture (32 bits only).
    bool storedAsPng = false;
};

// An icon file holding the pictures in the order given, each stored as a
// device-independent bitmap with its transparency mask, or as PNG.
QByteArray icoFile(const QList<IcoPicture> &pictures);

} // namespace menugeral::artwork
