#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

namespace menugeral::artwork {

// The main window's background, 780 x 569 times `scale`: a blue sky with light
// clouds across the top, fading into a light grey that darkens towards the
// bottom, inside a three-pixel light grey frame. Opaque, and never exactly
// the window's key colour #00FFFF.
QImage drawBackground(int scale);

// The colours of the frame, which must stay exact whatever the picture is stored as.
QList<QRgb> backgroundFrameColours();

} // namespace menugeral::artwork
