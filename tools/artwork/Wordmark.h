#pragma once

#include <QImage>

namespace menugeral::artwork {

struct ArtworkFonts;

// The product family's wordmark "QOR" with its tagline beneath, white on a
// transparent ground; 259 x 47 times `scale`.
QImage drawWordmark(const ArtworkFonts &fonts, int scale);

} // namespace menugeral::artwork
