#pragma once

#include <QPoint>
#include <QSize>

namespace menugeral {

// Offset that centres `inner` inside `outer`, rounded down: also towards
// minus infinity when the inner size is the larger one, where plain integer
// division would round towards zero.
constexpr int centredOffset(int outer, int inner)
{
    const int gap = outer - inner;
    return gap >= 0 ? gap / 2 : -((-gap + 1) / 2);
}

constexpr QPoint centredOffset(const QSize &outer, const QSize &inner)
{
    return {centredOffset(outer.width(), inner.width()), centredOffset(outer.height(), inner.height())};
}

} // namespace menugeral
