#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

#include <optional>

namespace menugeral::artwork {

// The pictures the menu decodes at every start are stored with a palette where
// that costs nothing visible: a third of the bytes to inflate and unfilter.

// The picture as an 8-bit indexed image, every pixel exact, when it holds at
// most 256 colours, counting each level of transparency of a colour as a
// colour of its own (a caption in one colour has at most 256); nothing
// otherwise.
std::optional<QImage> exactlyIndexed(const QImage &picture);

// A 256-colour rendition of an opaque picture: a median-cut palette that also
// holds every colour of `keep` exactly, error-diffusion dithering, and every
// pixel of a kept colour left exactly as it is.
QImage quantised(const QImage &opaque, const QList<QRgb> &keep);

} // namespace menugeral::artwork
