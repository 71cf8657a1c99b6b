#include "menu/MenuArtwork.h"

#include <QBuffer>
#include <QImageReader>
#include <QResource>

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
    return picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
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
    const QResource resource(path);
    return resource.isValid() ? readPng(resource) : QImage();
}

} // namespace menugeral
