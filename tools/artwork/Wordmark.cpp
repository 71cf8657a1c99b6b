#include "Wordmark.h"

#include "ArtworkFonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <cmath>

namespace menugeral::artwork {

using namespace Qt::StringLiterals;

namespace {

constexpr QSize size(259, 47);
constexpr int taglinePixelSize = 11;
constexpr qreal nameHeight = 31.0;
constexpr qreal nameTop = 1.0;
constexpr qreal taglineBaseline = 45.0;

} // namespace

QImage drawWordmark(const ArtworkFonts &fonts, int scale)
{
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);

    // The name as one outline: at this height hinting would only change its width.
    QFont nameFont = fonts.wordmark;
    nameFont.setPixelSize(200);
    nameFont.setLetterSpacing(QFont::AbsoluteSpacing, 12);
    QPainterPath name;
    name.addText(0, 0, nameFont, u"QOR"_s);
    const QRectF bounds = name.boundingRect();
    const qreal fit = nameHeight / bounds.height();
    QTransform place;
    place.translate(1.0 - bounds.left() * fit, nameTop - bounds.top() * fit);
    place.scale(fit, fit);
    name = place.map(name);
    painter.fillPath(name, Qt::white);

    // A faint rule along the name's baseline, from the name to the right edge.
    const qreal baseline = nameTop - bounds.top() * fit;
    const qreal ruleLeft = name.boundingRect().right() + 7.0;
    painter.fillRect(QRectF(ruleLeft, std::round(baseline) - 1.0, size.width() - ruleLeft, 1.0),
                     QColor(255, 255, 255, 150));

    QFont tagline = fonts.tagline;
    tagline.setPixelSize(taglinePixelSize * scale);
    tagline.setLetterSpacing(QFont::AbsoluteSpacing, 0.6 * scale);
    painter.resetTransform();
    painter.setFont(tagline);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(2.0 * scale, taglineBaseline * scale), u"Sistemas de Gest\u00e3o Empresarial"_s);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace menugeral::artwork
