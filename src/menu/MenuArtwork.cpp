#include "menu/MenuArtwork.h"

#include <QFile>

namespace menugeral {

QPixmap loadArtwork(const QString &name, qreal devicePixelRatio)
{
    const QString path = u':' + name;
    if (devicePixelRatio > 1.0) {
        QString doubled = path;
        doubled.insert(doubled.lastIndexOf(u'.'), u"@2x");
        QPixmap sharp;
        if (QFile::exists(doubled) && sharp.load(doubled)) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QPixmap(path);
}

} // namespace menugeral
