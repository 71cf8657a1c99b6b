#pragma once

#include "TileTable.h"

#include <QImage>

namespace menugeral::artwork {

struct ArtworkFonts;

// A module tile at `scale` times its size: flat main colour inside a one-pixel
// lighter edge, the white pictogram above and the white bold caption at the
// lower left. Opaque.
QImage drawTile(const ModuleTile &tile, const ArtworkFonts &fonts, int scale);

} // namespace menugeral::artwork
