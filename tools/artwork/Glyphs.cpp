#include "Glyphs.h"

#include "ArtworkFonts.h"
#include "PictogramKit.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace menugeral::artwork {

namespace {

constexpr int side = 16;
constexpr QRgb magenta = 0xFFFF00FF;
// Soft edges are blended with a light button face; what is mostly
// transparent becomes the transparent colour.
constexpr QRgb buttonFace = 0xFFF0F0F0;
constexpr int opaqueFrom = 110;

constexpr char32_t forkCheck = 0xF00C;
constexpr char32_t forkTimes = 0xF00D;

// Draws with antialiasing on a transparent square, then flattens the result
// onto magenta so the picture needs no alpha channel.
QImage flattened(const std::function<void(QPainter &)> &draw)
{
    QImage canvas(side, side, QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    }
    QImage glyph(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const QRgb pixel = canvas.pixel(x, y);
            const int alpha = qAlpha(pixel);
            if (alpha < opaqueFrom) {
                glyph.setPixel(x, y, magenta);
                continue;
            }
            const auto blend = [alpha](int fore, int back) {
                return (fore * alpha + back * (255 - alpha) + 127) / 255;
            };
            QRgb colour = qRgb(blend(qRed(pixel), qRed(buttonFace)), blend(qGreen(pixel), qGreen(buttonFace)),
                               blend(qBlue(pixel), qBlue(buttonFace)));
            if (colour == magenta)
                colour = qRgb(0xFE, 0x00, 0xFF);
            glyph.setPixel(x, y, colour);
        }
    }
    return glyph;
}

QImage outlinedGlyph(const QRawFont &font, char32_t codePoint, const QRectF &area, QColor fill, QColor edge)
{
    const quint32 index = font.glyphIndexesForString(QString::fromUcs4(&codePoint, 1)).value(0);
    const QPainterPath path = fittedInto(font.pathForGlyph(index), area);
    return flattened([&](QPainter &painter) {
        painter.strokePath(path, QPen(edge, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.fillPath(path, fill);
    });
}

} // namespace

QImage drawOkGlyph(const ArtworkFonts &fonts)
{
    return outlinedGlyph(fonts.forkIcons, forkCheck, QRectF(1.0, 2.0, 14.0, 12.0), QColor(0x3C, 0xB3, 0x3C),
                         QColor(0x17, 0x6B, 0x1E));
}

QImage drawCancelGlyph(const ArtworkFonts &fonts)
{
    return outlinedGlyph(fonts.forkIcons, forkTimes, QRectF(2.5, 2.5, 11.0, 11.0), QColor(0xE0, 0x33, 0x2E),
                         QColor(0x8C, 0x14, 0x14));
}

QImage drawSaveGlyph()
{
    return flattened([](QPainter &painter) {
        // Body with a clipped upper right corner.
        QPainterPath body;
        body.moveTo(1.5, 1.5);
        body.lineTo(12.5, 1.5);
        body.lineTo(14.5, 3.5);
        body.lineTo(14.5, 14.5);
        body.lineTo(1.5, 14.5);
        body.closeSubpath();
        painter.setPen(QPen(QColor(0x1A, 0x3C, 0x7A), 1.0));
        painter.setBrush(QColor(0x34, 0x6C, 0xC4));
        painter.drawPath(body);
        // The metal shutter with its slot, and the paper label.
        painter.setPen(Qt::NoPen);
        painter.fillRect(QRectF(4, 2, 7, 4), QColor(0xD9, 0xDE, 0xE6));
        painter.fillRect(QRectF(8, 2.5, 2, 3), QColor(0x34, 0x6C, 0xC4));
        painter.fillRect(QRectF(3, 8, 10, 6), QColor(0xFF, 0xFF, 0xFF));
        painter.fillRect(QRectF(4, 10, 8, 1), QColor(0x9C, 0xA8, 0xBA));
        painter.fillRect(QRectF(4, 12, 8, 1), QColor(0x9C, 0xA8, 0xBA));
    });
}

QImage drawOpenGlyph()
{
    return flattened([](QPainter &painter) {
        const QColor folderEdge(0x9A, 0x6E, 0x10);
        const QColor arrowGreen(0x1E, 0x96, 0x2C);
        // Back of the folder, with its tab.
        QPainterPath back;
        back.moveTo(0.5, 14.5);
        back.lineTo(0.5, 4.5);
        back.lineTo(4.5, 4.5);
        back.lineTo(5.5, 5.5);
        back.lineTo(13.5, 5.5);
        back.lineTo(13.5, 14.5);
        back.closeSubpath();
        painter.setPen(QPen(folderEdge, 1.0));
        painter.setBrush(QColor(0xE3, 0xA8, 0x2B));
        painter.drawPath(back);
        // The document standing in the folder, with a few lines of text.
        painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.0));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(2.5, 1.5, 6.0, 9.0));
        painter.setPen(Qt::NoPen);
        for (const int y : {4, 6, 8})
            painter.fillRect(QRectF(4, y, 3, 1), QColor(0xA0, 0xA0, 0xA0));
        // The open front of the folder, leaning forward.
        QPainterPath front;
        front.moveTo(0.5, 14.5);
        front.lineTo(2.5, 9.5);
        front.lineTo(15.5, 9.5);
        front.lineTo(13.5, 14.5);
        front.closeSubpath();
        painter.setPen(QPen(folderEdge, 1.0));
        painter.setBrush(QColor(0xFA, 0xD3, 0x5C));
        painter.drawPath(front);
        // The green arrow rising out of the folder.
        painter.setPen(Qt::NoPen);
        painter.fillRect(QRectF(11, 4, 2, 5), arrowGreen);
        QPainterPath head;
        head.moveTo(12.0, 0.0);
        head.lineTo(15.5, 4.5);
        head.lineTo(8.5, 4.5);
        head.closeSubpath();
        painter.setBrush(arrowGreen);
        painter.drawPath(head);
    });
}

} // namespace menugeral::artwork
