#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

namespace menugeral::artwork {

// The sixteen colours of the classic 4-bit display palette.
QList<QRgb> sixteenColourPalette();

// A 256-colour palette for `image`: the sixteen classic colours, then the
// image's most frequent opaque colours (ties in colour order).
QList<QRgb> paletteFor(const QImage &image);

// Each opaque pixel replaced by the nearest palette colour; pixels with alpha
// below one half become fully transparent, the rest fully opaque.
QImage snappedToPalette(const QImage &image, const QList<QRgb> &palette);

} // namespace menugeral::artwork
