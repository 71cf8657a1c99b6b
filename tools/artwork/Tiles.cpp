#include "Tiles.h"

#include "ArtworkFonts.h"
#include "Pictograms.h"

#include <QFontMetricsF>
#include <QPainter>

namespace menugeral::artwork {

namespace {

constexpr int captionPixelSize = 11;
constexpr qreal captionLeft = 6.0;
constexpr qreal captionBottomMargin = 5.0;
constexpr qreal pictogramTopMargin = 5.0;
constexpr qreal pictogramCaptionGap = 3.0;

QColor lighterEdge(QColor main)
{
    const auto lift = [](int channel) {
        return channel + (255 - channel) * 22 / 100;
    };
    return QColor(lift(main.red()), lift(main.green()), lift(main.blue()));
}

} // namespace

QImage drawTile(const ModuleTile &tile, const ArtworkFonts &fonts, int scale)
{
    const QColor main = QColor::fromRgb(tile.colour);
    QImage image(tile.size * scale, QImage::Format_RGB32);
    image.fill(lighterEdge(main));

    QPainter painter(&image);
    painter.scale(scale, scale);
    const QRectF area(0, 0, tile.size.width(), tile.size.height());
    painter.fillRect(area.adjusted(1, 1, -1, -1), main);

    QFont font = fonts.caption;
    font.setPixelSize(captionPixelSize * scale);
    const QStringList lines = tile.caption.toString().split(u'\n');
    const QFontMetricsF metrics(font);
    const qreal lineHeight = metrics.height() / scale;
    const qreal captionTop = area.bottom() - captionBottomMargin - lineHeight * lines.size();

    // The caption is laid out at device size, so that hinting fits the pixels of each scale.
    painter.save();
    painter.resetTransform();
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const qreal baseline = (captionTop + lineHeight * qreal(i)) * scale + metrics.ascent();
        painter.drawText(QPointF(captionLeft * scale, baseline), lines.at(i));
    }
    painter.restore();

    const QRectF pictogramBox(0, pictogramTopMargin, area.width(),
                              captionTop - pictogramCaptionGap - pictogramTopMargin);
    drawPictogram(painter, tile.pictogram, pictogramBox, main, fonts);
    return image;
}

} // namespace menugeral::artwork
