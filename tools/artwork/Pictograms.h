#pragma once

#include "TileTable.h"

#include <QColor>
#include <QRectF>

class QPainter;

namespace menugeral::artwork {

struct ArtworkFonts;

// Draws a tile's pictogram in white, as large as fits the middle of `box`.
void drawPictogram(QPainter &painter, Pictogram pictogram, const QRectF &box, QColor tile, const ArtworkFonts &fonts);

} // namespace menugeral::artwork
