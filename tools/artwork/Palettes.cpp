#include "Palettes.h"

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace menugeral::artwork {

namespace {

constexpr int paletteSize = 256;

int distance(QRgb a, QRgb b)
{
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    // Green weighs most and blue least, as the eye sees them.
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

QRgb nearest(QRgb colour, const QList<QRgb> &palette)
{
    QRgb best = palette.constFirst();
    int bestDistance = std::numeric_limits<int>::max();
    for (const QRgb candidate : palette) {
        const int d = distance(colour, candidate);
        if (d < bestDistance) {
            bestDistance = d;
            best = candidate;
        }
    }
    return best;
}

} // namespace

QList<QRgb> sixteenColourPalette()
{
    return {0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
            0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
}

QList<QRgb> paletteFor(const QImage &image)
{
    const QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < straight.height(); ++y) {
        for (int x = 0; x < straight.width(); ++x) {
            const QRgb pixel = straight.pixel(x, y);
            if (qAlpha(pixel) >= 128)
                ++counts[pixel | 0xFF000000];
        }
    }
    std::vector<std::pair<QRgb, int>> byFrequency(counts.begin(), counts.end());
    std::stable_sort(byFrequency.begin(), byFrequency.end(),
                     [](const auto &a, const auto &b) { return a.second > b.second; });
    QList<QRgb> palette = sixteenColourPalette();
    for (const auto &[colour, count] : byFrequency) {
        if (palette.size() == paletteSize)
            break;
        if (!palette.contains(colour))
            palette << colour;
    }
    return palette;
}

QImage snappedToPalette(const QImage &image, const QList<QRgb> &palette)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = result.pixel(x, y);
            result.setPixel(x, y, qAlpha(pixel) < 128 ? 0u : nearest(pixel | 0xFF000000, palette));
        }
    }
    return result;
}

} // namespace menugeral::artwork
