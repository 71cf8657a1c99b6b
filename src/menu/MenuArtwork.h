#pragma once

#include <QImage>
#include <QString>

namespace menugeral {

// Loads an embedded picture, "menu/background.png" for example, choosing the
// twice-as-large "@2x" drawing on a high-density screen. The layout stays in
// 96-dpi pixels either way. The picture comes in the form Qt paints fastest:
// premultiplied ARGB when it has transparency, RGB32 when it is opaque.
QImage loadArtwork(const QString &name, qreal devicePixelRatio);

} // namespace menugeral
