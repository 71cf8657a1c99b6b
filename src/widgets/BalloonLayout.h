#pragma once

#include <QPolygon>
#include <QRect>

namespace menugeral {

// Where a balloon stands on the screen, in global coordinates.
struct BalloonLayout
{
    QRect body;    // the rounded rectangle holding the text
    QPolygon stem; // three points: two on the body's edge, then the tip
    bool below;    // the body hangs below the pointer (stem pointing up)
    QRect frame;   // the window: body, stem and shadow

    QPoint tip() const { return stem.at(2); }
};

// Balloon measures shared by the layout and the drawing.
struct BalloonMetrics
{
    static constexpr int kCornerDiameter = 11; // corners rounded with an 11 x 11 ellipse
    static constexpr int kStemHeight = 10;     // from the body's edge to the tip
    static constexpr int kStemBase = 10;       // width of the stem where it meets the body
    static constexpr int kStemInset = 16;      // from the body's near side to the tip
    static constexpr int kShadow = 4;          // shadow to the right and below
    static constexpr int kMinimumWidth = 2 * kStemInset + kStemBase;
};

// Places a body of `bodySize` so that its stem's tip touches `pointer`: above
// and to the right of the pointer where there is room, else below and/or to
// the left, and always inside `available` (with its shadow) when it fits.
BalloonLayout placeBalloon(const QPoint &pointer, const QSize &bodySize, const QRect &available);

} // namespace menugeral
