#pragma once

#include <QImage>

namespace menugeral::artwork {

// The separator lines of the modules panel: #E6E7E9, nearly invisible at both
// ends (alpha 3 to 7) and nearly opaque in the middle (alpha 247).
// 462 x 2 (horizontal) or 2 x 462 (vertical), times `scale`.
QImage drawHorizontalLine(int scale);
QImage drawVerticalLine(int scale);

} // namespace menugeral::artwork
