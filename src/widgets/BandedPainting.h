#pragma once

#include <QPainter>
#include <QRect>

namespace menugeral {

// Qt's raster engine hands a fill or blend more than about 96 rows high to a
// pool of painting threads, which the first such paint has to start: a
// millisecond or more that the window's first paint would wait for. Painting
// in bands no higher than this keeps the work on the painting thread, with the
// same pixels.
inline constexpr int kSingleThreadRows = 64;

// The band of `area` that starts at row `top`.
inline QRect bandOf(const QRect &area, int top)
{
    return QRect(area.left(), top, area.width(), qMin(kSingleThreadRows, area.bottom() + 1 - top));
}

// Fills `area` with `brush` a band of rows at a time.
void fillRectInBands(QPainter &painter, const QRect &area, const QBrush &brush);

// Calls `paint` once for each band of rows of `area`, with the painter's clip
// narrowed to that band.
template <typename Paint> void paintInBands(QPainter &painter, const QRect &area, Paint &&paint)
{
    for (int top = area.top(); top <= area.bottom(); top += kSingleThreadRows) {
        painter.save();
        painter.setClipRect(bandOf(area, top), painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        paint();
        painter.restore();
    }
}

} // namespace menugeral
