#include "widgets/PalettePainting.h"

#include <QPainter>

namespace menugeral {
namespace {

// Small enough that a band of the widest picture stays in the heap that the
// previous band freed, rather than in fresh pages.
constexpr int kBandRows = 16;

} // namespace

void drawPicture(QPainter &painter, const QPoint &at, const QImage &picture, const QRegion &exposed)
{
    if (picture.format() != QImage::Format_Indexed8) {
        painter.drawImage(at, picture);
        return;
    }
    const qreal ratio = picture.devicePixelRatio();
    const QImage::Format fullColour =
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const QRect area(at, picture.deviceIndependentSize().toSize());
    for (const QRect &part : exposed &area) {
        for (int top = part.top(); top <= part.bottom(); top += kBandRows) {
            const QRect band(part.left(), top, part.width(), qMin(kBandRows, part.bottom() + 1 - top));
            const QRect source((band.topLeft() - at) * ratio, band.size() * ratio);
            QImage piece = picture.copy(source).convertToFormat(fullColour);
            piece.setDevicePixelRatio(ratio);
            painter.drawImage(band.topLeft(), piece);
        }
    }
}

} // namespace menugeral
