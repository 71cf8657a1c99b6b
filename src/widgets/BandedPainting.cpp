#include "widgets/BandedPainting.h"

namespace menugeral {

void fillRectInBands(QPainter &painter, const QRect &area, const QBrush &brush)
{
    for (int top = area.top(); top <= area.bottom(); top += kSingleThreadRows)
        painter.fillRect(QRect(area.left(), top, area.width(), qMin(kSingleThreadRows, area.bottom() + 1 - top)),
                         brush);
}

} // namespace menugeral
