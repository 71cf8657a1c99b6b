#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace menugeral {

// The largest image of a multi-image icon file that fits in `box` unscaled,
// of the richest colour depth among those of that size. A null image when the
// file is missing or holds no image that fits.
QImage largestIconImageWithin(const QString &fileName, QSize box);

} // namespace menugeral
