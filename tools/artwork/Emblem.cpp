#include "Emblem.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace menugeral::artwork {

namespace {

constexpr QSize size(79, 67);
constexpr qreal radius = 32.0; // centre to corner of the hexagon
constexpr qreal gap = 2.2;     // clear seam between the faces

QPainterPath face(const QPointF &a, const QPointF &b, const QPointF &c, const QPointF &d)
{
    QPainterPath path;
    path.addPolygon(QPolygonF({a, b, c, d}));
    path.closeSubpath();
    return path;
}

} // namespace

QImage drawEmblem(int scale)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);

    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const qreal dx = radius * std::sqrt(3.0) / 2.0;
    const qreal dy = radius / 2.0;
    const QPointF top(centre.x(), centre.y() - radius);
    const QPointF bottom(centre.x(), centre.y() + radius);
    const QPointF upperLeft(centre.x() - dx, centre.y() - dy);
    const QPointF upperRight(centre.x() + dx, centre.y() - dy);
    const QPointF lowerLeft(centre.x() - dx, centre.y() + dy);
    const QPointF lowerRight(centre.x() + dx, centre.y() + dy);

    painter.fillPath(face(top, upperRight, centre, upperLeft), QColor(255, 255, 255));
    painter.fillPath(face(upperLeft, centre, bottom, lowerLeft), QColor(255, 255, 255, 205));
    painter.fillPath(face(centre, upperRight, lowerRight, bottom), QColor(255, 255, 255, 150));

    // Clear seams between the faces.
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    QPen seam(Qt::black, gap, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(seam);
    painter.drawLine(centre, upperLeft);
    painter.drawLine(centre, upperRight);
    painter.drawLine(centre, bottom);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace menugeral::artwork
