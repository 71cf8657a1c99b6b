#include "SeparatorLines.h"

#include <cmath>
#include <numbers>

namespace menugeral::artwork {

namespace {

constexpr int length = 462;
constexpr int thickness = 2;
constexpr int endAlpha = 3;
constexpr int middleAlpha = 247;

// Opacity at position i of n: a half sine from the ends to the middle. Written
// straight (not premultiplied) so the faint ends keep their exact colour.
int alphaAt(int i, int n)
{
    const double t = (i + 0.5) / n;
    const double rise = std::sin(std::numbers::pi * t);
    return endAlpha + int(std::lround((middleAlpha - endAlpha) * rise));
}

QRgb lineColour(int alpha)
{
    return qRgba(0xE6, 0xE7, 0xE9, alpha);
}

} // namespace

QImage drawHorizontalLine(int scale)
{
    QImage image(length * scale, thickness * scale, QImage::Format_ARGB32);
    for (int x = 0; x < image.width(); ++x) {
        const QRgb colour = lineColour(alphaAt(x, image.width()));
        for (int y = 0; y < image.height(); ++y)
            image.setPixel(x, y, colour);
    }
    return image;
}

QImage drawVerticalLine(int scale)
{
    QImage image(thickness * scale, length * scale, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb colour = lineColour(alphaAt(y, image.height()));
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colour);
    }
    return image;
}

} // namespace menugeral::artwork
