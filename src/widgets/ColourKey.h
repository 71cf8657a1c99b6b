#pragma once

#include <QImage>
#include <QRegion>

class QWidget;

namespace menugeral {

// The region of the image's pixels that are not exactly `key` (alpha ignored),
// built band by band: lines with the same runs of kept pixels share one band.
QRegion regionWithoutColour(const QImage &image, QRgb key);

// Shapes a top-level window like a colour-keyed window: every pixel rendered in
// exactly `key` is cut out, so it is see-through and lets clicks pass. A window
// with no such pixel keeps its full rectangle (no mask at all). The region is
// in window coordinates whatever the screen's device pixel ratio.
void applyColourKey(QWidget *window, QRgb key);

} // namespace menugeral
