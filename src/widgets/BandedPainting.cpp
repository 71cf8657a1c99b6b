#include "widgets/BandedPainting.h"

namespace menugeral {

void fillRectInBands(QPainter &painter, const QRect &area, const QBrush &brush)
{
    for (int top = area.top(); top <= area.bottom(); top += kSingleThreadRows)
        painter.fillRect(bandOf(area, top), brush);
}

} // namespace menugeral
