#include "menu/MenuArtwork.h"

#include <QFile>
#include <QImageReader>

namespace menugeral {
namespace {

// Qt's own PNG reader, asked for by name: left to detect the format, the
// reader would first load every image plugin installed on the system and ask
// each whether it reads PNG, which costs the start-up more than the decoding.
QImage readPng(const QString &path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace

QImage loadArtwork(const QString &name, qreal devicePixelRatio)
{
    const QString path = u':' + name;
    if (devicePixelRatio > 1.0) {
        QString doubled = path;
        doubled.insert(doubled.lastIndexOf(u'.'), u"@2x");
        if (QFile::exists(doubled)) {
            QImage sharp = readPng(doubled);
            if (!sharp.isNull()) {
                sharp.setDevicePixelRatio(2.0);
                return sharp;
            }
        }
    }
    return readPng(path);
}

} // namespace menugeral
