#include "UsersIcon.h"

#include "Palettes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace menugeral::artwork {

namespace {

struct Figure
{
    QPointF head;
    qreal headRadius;
    QRectF shoulders; // the upper half of this ellipse, cut at its bottom edge
};

QPainterPath silhouette(const Figure &figure)
{
    QPainterPath body;
    body.addEllipse(QRectF(figure.shoulders.left(), figure.shoulders.top(), figure.shoulders.width(),
                           2 * figure.shoulders.height()));
    QPainterPath upper;
    upper.addRect(figure.shoulders);
    QPainterPath path = body.intersected(upper);
    path.addEllipse(figure.head, figure.headRadius, figure.headRadius);
    return path.simplified();
}

void drawFigure(QPainter &painter, const Figure &figure, QColor light, QColor dark, QColor edge, bool flat, qreal pen)
{
    const QPainterPath path = silhouette(figure);
    if (flat) {
        painter.setBrush(light);
    } else {
        QLinearGradient shade(figure.shoulders.topLeft() - QPointF(0, 2 * figure.headRadius),
                              figure.shoulders.bottomRight());
        shade.setColorAt(0.0, light);
        shade.setColorAt(1.0, dark);
        painter.setBrush(shade);
    }
    painter.setPen(QPen(edge, pen));
    painter.drawPath(path);
}

} // namespace

QImage drawUsers(int size, bool flat)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, !flat);
    // The smallest picture has its own layout, fitted to whole pixels.
    const bool small = size <= 16;
    const qreal grid = small ? 16.0 : 48.0;
    painter.scale(size / grid, size / grid);
    const qreal pen = small ? 1.0 : 1.3 * grid / size;
    const Figure back = small ? Figure{{10.5, 4.0}, 3.0, QRectF(6.5, 8.5, 9.0, 6.0)}
                              : Figure{{31.5, 13.0}, 7.5, QRectF(19.0, 23.0, 26.0, 20.0)};
    const Figure front = small ? Figure{{5.5, 6.5}, 3.0, QRectF(0.5, 11.0, 10.0, 4.5)}
                               : Figure{{18.0, 19.5}, 8.5, QRectF(3.5, 30.0, 30.0, 16.0)};
    if (flat) {
        drawFigure(painter, back, QColor(0x80, 0x80, 0x80), {}, Qt::black, true, pen);
        drawFigure(painter, front, QColor(0x00, 0x00, 0xFF), {}, QColor(0x00, 0x00, 0x80), true, pen);
    } else {
        drawFigure(painter, back, QColor(0xA9, 0xB8, 0xCC), QColor(0x5A, 0x6C, 0x87), QColor(0x33, 0x40, 0x55), false,
                   pen);
        drawFigure(painter, front, QColor(0x6F, 0xA8, 0xEC), QColor(0x1E, 0x55, 0xA8), QColor(0x12, 0x33, 0x6B), false,
                   pen);
    }
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray usersIconFile()
{
    QList<IcoPicture> pictures;
    for (const int size : {48, 32, 16}) {
        const QList<QRgb> sixteen = sixteenColourPalette();
        pictures << IcoPicture{snappedToPalette(drawUsers(size, true), sixteen), 4, sixteen};
        const QImage colour = drawUsers(size, false);
        const QList<QRgb> palette = paletteFor(colour);
        pictures << IcoPicture{snappedToPalette(colour, palette), 8, palette};
        pictures << IcoPicture{colour, 32, {}};
    }
    return icoFile(pictures);
}

} // namespace menugeral::artwork
