#include "widgets/ColourKey.h"

#include <QList>
#include <QWidget>

#include <utility>
#include <vector>

namespace menugeral {

namespace {

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
    // Rendered at one image pixel per window coordinate, so the region needs
    // no scaling on screens with a device pixel ratio other than 1.
    QImage rendered(window->size(), QImage::Format_RGB32);
    rendered.fill(Qt::black);
    window->render(&rendered);
    const QRegion kept = regionWithoutColour(rendered, key);
    if (kept != QRegion(rendered.rect()))
        window->setMask(kept);
}

} // namespace menugeral
