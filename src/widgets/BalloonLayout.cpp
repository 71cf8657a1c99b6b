#include "widgets/BalloonLayout.h"

#include <algorithm>

namespace menugeral {

namespace {

using M = BalloonMetrics;

// Clamps `value` into [low, high]; when the range is empty the low end wins,
// so an oversized balloon keeps its top-left corner on the screen.
int clampToRange(int value, int low, int high)
{
    return std::max(low, std::min(value, high));
}

} // namespace

BalloonLayout placeBalloon(const QPoint &pointer, const QSize &bodySize, const QRect &available)
{
    const int width = std::max(bodySize.width(), M::kMinimumWidth);
    const int height = bodySize.height();

    // Above the pointer is preferred: the pointer's arrow hangs down from its
    // hot spot and would cover a balloon below it.
    const int roomAbove = pointer.y() - available.top();
    const int roomBelow = available.bottom() - pointer.y();
    const int needed = M::kStemHeight + height + M::kShadow;
    const bool below = roomAbove < needed && roomBelow > roomAbove;

    const int roomRight = available.right() - pointer.x();
    const int roomLeft = pointer.x() - available.left();
    const bool rightward = roomRight >= width - M::kStemInset + M::kShadow || roomRight >= roomLeft;

    int left = rightward ? pointer.x() - M::kStemInset : pointer.x() + M::kStemInset + 1 - width;
    left = clampToRange(left, available.left(), available.right() + 1 - M::kShadow - width);
    int top = below ? pointer.y() + M::kStemHeight : pointer.y() - M::kStemHeight + 1 - height;
    top = clampToRange(top, available.top(), available.bottom() + 1 - M::kShadow - height);
    const QRect body(left, top, width, height);

    // The stem leaves the body on a straight part of its edge, as near the
    // pointer as the rounded corners allow.
    const int radius = (M::kCornerDiameter + 1) / 2;
    const int preferredStart = rightward ? pointer.x() : pointer.x() - M::kStemBase;
    const int baseStart = clampToRange(preferredStart, body.left() + radius, body.right() - radius - M::kStemBase);
    const int edge = below ? body.top() : body.bottom();
    QPolygon stem;
    stem << QPoint(baseStart, edge) << QPoint(baseStart + M::kStemBase, edge) << pointer;

    // Room for the shadow, except where it would fall off the screen (the
    // stem's shadow when the pointer is at the edge).
    QRect frame = body.united(stem.boundingRect());
    frame.setRight(std::max(frame.right(), std::min(frame.right() + M::kShadow, available.right())));
    frame.setBottom(std::max(frame.bottom(), std::min(frame.bottom() + M::kShadow, available.bottom())));
    return {body, stem, below, frame};
}

} // namespace menugeral
