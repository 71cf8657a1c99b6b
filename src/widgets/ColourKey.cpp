#include "widgets/ColourKey.h"

#include <QList>
#include <QWidget>

#include <algorithm>
#include <utility>
#include <vector>

namespace menugeral {

namespace {

constexpr int kBandHeight = 64;

using Run = std::pair<int, int>; // [first, last + 1) of kept pixels in a line

void keptRuns(const QRgb *line, int width, QRgb key, std::vector<Run> &runs)
{
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && (line[x] & RGB_MASK) == key)
            ++x;
        const int start = x;
        while (x < width && (line[x] & RGB_MASK) != key)
            ++x;
        if (x > start)
            runs.emplace_back(start, x);
    }
}

} // namespace

QRegion regionWithoutColour(const QImage &image, QRgb key)
{
    const bool direct = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const QImage pixels = direct ? image : image.convertToFormat(QImage::Format_RGB32);
    const QRgb keyColour = key & RGB_MASK;

    // Consecutive lines with the same runs form one band of rectangles; the
    // bands are handed to QRegion in one go, which is far cheaper than
    // uniting a rectangle per run.
    QList<QRect> rects;
    std::vector<Run> band;
    std::vector<Run> runs;
    int bandTop = 0;
    const auto closeBand = [&](int bandBottom) {
        for (const auto &[first, end] : band)
            rects.append(QRect(first, bandTop, end - first, bandBottom - bandTop));
    };
    for (int y = 0; y < pixels.height(); ++y) {
        keptRuns(reinterpret_cast<const QRgb *>(pixels.constScanLine(y)), pixels.width(), keyColour, runs);
        if (y == 0 || runs != band) {
            closeBand(y);
            band.swap(runs);
            bandTop = y;
        }
    }
    closeBand(pixels.height());

    QRegion region;
    if (!rects.isEmpty())
        region.setRects(rects.constData(), int(rects.size()));
    return region;
}

void applyColourKey(QWidget *window, QRgb key)
{
    // Rendering honours the current mask, which would hide the very pixels
    // that made it: start from the whole window every time.
    window->clearMask();
    // Rendered a band of lines at a time, at one image pixel per window
    // coordinate (no scaling on high-density screens), so the window is never
    // held twice in memory.
    const QRect whole = window->rect();
    QImage band(whole.width(), std::min(kBandHeight, whole.height()), QImage::Format_RGB32);
    QRegion kept;
    for (int top = 0; top < whole.height(); top += band.height()) {
        const QRect lines(0, top, whole.width(), std::min(band.height(), whole.height() - top));
        band.fill(Qt::black);
        window->render(&band, QPoint(0, 0), QRegion(lines));
        kept += regionWithoutColour(band.copy(0, 0, lines.width(), lines.height()), key).translated(0, top);
    }
    if (kept != QRegion(whole))
        window->setMask(kept);
}

} // namespace menugeral
