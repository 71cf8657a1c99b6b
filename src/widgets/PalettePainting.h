#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>

class QPainter;

namespace menugeral {

// Draws `picture` with its top-left corner at `at`, where `exposed` (in the
// painter's coordinates) asks for it. A picture with a palette is drawn
// through short-lived full-colour copies of the parts being painted, a band of
// rows at a time: Qt draws those several times faster than it looks every
// pixel up in the palette, while the picture itself stays a quarter of the
// memory. Other pictures are drawn as they are.
void drawPicture(QPainter &painter, const QPoint &at, const QImage &picture, const QRegion &exposed);

} // namespace menugeral
