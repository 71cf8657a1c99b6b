#pragma once

#include <QImage>

namespace menugeral::artwork {

// The product family's emblem, white on a transparent ground: a cube seen from
// above, its three faces in three strengths of white; 79 x 67 times `scale`.
QImage drawEmblem(int scale);

} // namespace menugeral::artwork
