#include "AppIcon.h"

#include "Emblem.h"
#include "IcoFile.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace menugeral::artwork {

QImage drawAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);

    // The sky of the menu's background, top to bottom, a little inset so the
    // square looks as large as its neighbours in a launcher.
    const qreal inset = size / 16.0;
    const QRectF square(inset, inset, size - 2 * inset, size - 2 * inset);
    QLinearGradient sky(square.topLeft(), square.bottomLeft());
    sky.setColorAt(0.0, QColor(0x2A, 0x76, 0xC6));
    sky.setColorAt(1.0, QColor(0x8D, 0xC3, 0xEA));
    QPainterPath rounded;
    rounded.addRoundedRect(square, square.width() / 5.0, square.height() / 5.0);
    painter.fillPath(rounded, sky);

    // The emblem drawn at a size above the target and scaled down, centred.
    const QImage emblem = drawEmblem(4);
    const QSizeF fitted = QSizeF(emblem.size()).scaled(square.size() * 0.72, Qt::KeepAspectRatio);
    const QRectF target(square.center() - QPointF(fitted.width(), fitted.height()) / 2.0, fitted);
    painter.drawImage(target, emblem);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray appIconFile()
{
    QList<IcoPicture> pictures;
    for (const int size : kAppIconFileSizes)
        pictures << IcoPicture{drawAppIcon(size), 32, {}, size >= 256};
    return icoFile(pictures);
}

} // namespace menugeral::artwork
