#include "widgets/ColourKey.h"

#include <QWidget>

namespace menugeral {

QRegion regionWithoutColour(const QImage &image, QRgb key)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    const QRgb keyColour = key & 0x00FFFFFFu;
    QRegion region;
    // Runs of kept pixels per line: a keyless picture yields one rectangle per
    // line, which QRegion merges into a single band.
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        int x = 0;
        while (x < pixels.width()) {
            while (x < pixels.width() && (line[x] & 0x00FFFFFFu) == keyColour)
                ++x;
            const int start = x;
            while (x < pixels.width() && (line[x] & 0x00FFFFFFu) != keyColour)
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

void applyColourKey(QWidget *window, QRgb key)
{
    const QImage rendered = window->grab().toImage();
    const QRegion kept = regionWithoutColour(rendered, key);
    const QRect full(QPoint(0, 0), rendered.size());
    if (kept == QRegion(full))
        window->clearMask();
    else
        window->setMask(kept);
}

} // namespace menugeral
