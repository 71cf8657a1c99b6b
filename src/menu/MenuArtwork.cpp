#include "menu/MenuArtwork.h"

#include <QFile>

namespace menugeral {

QImage loadArtwork(const QString &name, qreal devicePixelRatio)
{
    const QString path = u':' + name;
    if (devicePixelRatio > 1.0) {
        QString doubled = path;
        doubled.insert(doubled.lastIndexOf(u'.'), u"@2x");
        QImage sharp;
        if (QFile::exists(doubled) && sharp.load(doubled)) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QImage(path);
}

} // namespace menugeral
