#include "IcoFile.h"

#include "PictureFiles.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>

namespace menugeral::artwork {

namespace {

constexpr quint32 infoHeaderSize = 40;
constexpr quint32 directoryHeaderSize = 6;
constexpr quint32 directoryEntrySize = 16;

// Rows of a bitmap are padded to whole 32-bit words.
int rowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

QByteArray colourBits(const IcoPicture &picture)
{
    const QImage &image = picture.image;
    const int stride = rowBytes(image.width(), picture.bitsPerPixel);
    QByteArray bits(stride * image.height(), '\0');
    for (int y = 0; y < image.height(); ++y) {
        // Bitmaps are stored bottom row first.
        char *row = bits.data() + (image.height() - 1 - y) * stride;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (picture.bitsPerPixel == 32) {
                row[4 * x] = char(qBlue(pixel));
                row[4 * x + 1] = char(qGreen(pixel));
                row[4 * x + 2] = char(qRed(pixel));
                row[4 * x + 3] = char(qAlpha(pixel));
                continue;
            }
            // Transparent pixels are black under their mask bit.
            const QRgb colour = qAlpha(pixel) == 0 ? 0xFF000000 : (pixel | 0xFF000000);
            const auto index = static_cast<unsigned char>(std::max<qsizetype>(0, picture.palette.indexOf(colour)));
            if (picture.bitsPerPixel == 8)
                row[x] = char(index);
            else
                row[x / 2] = char(static_cast<unsigned char>(row[x / 2]) | (x % 2 == 0 ? index << 4 : index));
        }
    }
    return bits;
}

QByteArray maskBits(const QImage &image)
{
    const int stride = rowBytes(image.width(), 1);
    QByteArray bits(stride * image.height(), '\0');
    for (int y = 0; y < image.height(); ++y) {
        char *row = bits.data() + (image.height() - 1 - y) * stride;
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(static_cast<unsigned char>(row[x / 8]) | (0x80 >> (x % 8)));
        }
    }
    return bits;
}

QByteArray bitmap(const IcoPicture &picture)
{
    const QByteArray colours = colourBits(picture);
    const QByteArray mask = maskBits(picture.image);
    const int tableSize = picture.bitsPerPixel == 32 ? 0 : 1 << picture.bitsPerPixel;

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // The header counts both the colour bits and the mask in its height.
    out << infoHeaderSize << qint32(picture.image.width()) << qint32(2 * picture.image.height()) << quint16(1)
        << quint16(picture.bitsPerPixel) << quint32(0) << quint32(colours.size() + mask.size()) << qint32(0)
        << qint32(0) << quint32(0) << quint32(0);
    for (int i = 0; i < tableSize; ++i) {
        const QRgb entry = picture.palette.value(i, 0xFF000000);
        out << quint8(qBlue(entry)) << quint8(qGreen(entry)) << quint8(qRed(entry)) << quint8(0);
    }
    out.writeRawData(colours.constData(), int(colours.size()));
    out.writeRawData(mask.constData(), int(mask.size()));
    return bytes;
}

} // namespace

QByteArray icoFile(const QList<IcoPicture> &pictures)
{
    QList<QByteArray> bitmaps;
    for (const IcoPicture &picture : pictures)
        bitmaps << (picture.storedAsPng ? pngBytes(picture.image) : bitmap(picture));

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(pictures.size());
    quint32 offset = directoryHeaderSize + directoryEntrySize * quint32(pictures.size());
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        const IcoPicture &picture = pictures.at(i);
        // A size of 256 is written as 0; only a 16-colour picture states its colour count.
        out << quint8(picture.image.width() & 0xFF) << quint8(picture.image.height() & 0xFF)
            << quint8(picture.bitsPerPixel == 4 ? 16 : 0) << quint8(0) << quint16(1) << quint16(picture.bitsPerPixel)
            << quint32(bitmaps.at(i).size()) << offset;
        offset += quint32(bitmaps.at(i).size());
    }
    for (const QByteArray &bitmap : bitmaps)
        out.writeRawData(bitmap.constData(), int(bitmap.size()));
    return bytes;
}

} // namespace menugeral::artwork
