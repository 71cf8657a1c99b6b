#pragma once

#include <QPixmap>
#include <QString>

namespace menugeral {

// Loads an embedded picture, "menu/background.png" for example, choosing the
// twice-as-large "@2x" drawing on a high-density screen. The layout stays in
// 96-dpi pixels either way.
QPixmap loadArtwork(const QString &name, qreal devicePixelRatio);

} // namespace menugeral
