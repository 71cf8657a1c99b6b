#pragma once

#include <QImage>

namespace menugeral::artwork {

struct ArtworkFonts;

// The 16 x 16 button glyphs of the settings windows, opaque, on magenta
// #FF00FF, the colour the buttons make transparent.
QImage drawOkGlyph(const ArtworkFonts &fonts);     // a green tick
QImage drawCancelGlyph(const ArtworkFonts &fonts); // a red cross
QImage drawSaveGlyph();                            // a blue diskette
QImage drawOpenGlyph();                            // a document, a green arrow, a yellow folder

} // namespace menugeral::artwork
