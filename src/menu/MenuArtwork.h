#pragma once

#include <QImage>
#include <QString>

namespace menugeral {

// Loads an embedded picture, "menu/background.png" for example, choosing the
// twice-as-large "@2x" drawing on a high-density screen. The layout stays in
// 96-dpi pixels either way. Pictures stored with a palette stay indexed, a
// quarter of the memory of a full-colour copy; painting reads them as they are.
QImage loadArtwork(const QString &name, qreal devicePixelRatio);

} // namespace menugeral
