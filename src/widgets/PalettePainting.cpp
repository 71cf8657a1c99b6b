#include "widgets/PalettePainting.h"

#include <QPainter>

#include <array>

namespace menugeral {
namespace {

// Small enough that a band of the widest picture stays in the heap that the
// previous band freed, rather than in fresh pages.
constexpr int kBandRows = 16;

// The palette as the full-colour band stores it; indices beyond it (none in a
// well-formed picture) come out transparent, or black where there is no alpha.
std::array<QRgb, 256> bandColours(const QImage &picture, bool translucent)
{
    std::array<QRgb, 256> colours;
    colours.fill(translucent ? 0u : 0xFF000000u);
    const QList<QRgb> table = picture.colorTable();
    for (qsizetype i = 0; i < table.size() && i < qsizetype(colours.size()); ++i)
        colours[std::size_t(i)] = translucent ? qPremultiply(table[i]) : (table[i] | 0xFF000000u);
    return colours;
}

} // namespace

void drawPicture(QPainter &painter, const QPoint &at, const QImage &picture, const QRegion &exposed)
{
    if (picture.format() != QImage::Format_Indexed8) {
        painter.drawImage(at, picture);
        return;
    }
    const qreal ratio = picture.devicePixelRatio();
    const bool translucent = picture.hasAlphaChannel();
    const std::array<QRgb, 256> colours = bandColours(picture, translucent);
    const QRect area(at, picture.deviceIndependentSize().toSize());
    for (const QRect &part : exposed &area) {
        for (int top = part.top(); top <= part.bottom(); top += kBandRows) {
            const QRect band(part.left(), top, part.width(), qMin(kBandRows, part.bottom() + 1 - top));
            const QRect source = QRect((band.topLeft() - at) * ratio, band.size() * ratio) & picture.rect();
            QImage piece(source.size(), translucent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
            for (int y = 0; y < source.height(); ++y) {
                const uchar *in = picture.constScanLine(source.top() + y) + source.left();
                auto *out = reinterpret_cast<QRgb *>(piece.scanLine(y));
                for (int x = 0; x < source.width(); ++x)
                    out[x] = colours[in[x]];
            }
            piece.setDevicePixelRatio(ratio);
            painter.drawImage(band.topLeft(), piece);
        }
    }
}

} // namespace menugeral
