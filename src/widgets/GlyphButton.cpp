#include "widgets/GlyphButton.h"

#include <QBitmap>
#include <QImage>
#include <QPixmap>

namespace menugeral {

QPixmap glyphWithTransparentMagenta(const QImage &glyph)
{
    QImage image = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0x00FFFFFFu) == 0x00FF00FFu)
                line[x] = 0;
        }
    }
    return QPixmap::fromImage(image);
}

GlyphButton::GlyphButton(const QString &caption, const QImage &glyph, QWidget *parent) : QPushButton(caption, parent)
{
    setIcon(QIcon(glyphWithTransparentMagenta(glyph)));
    setIconSize(QSize(kGlyphSize, kGlyphSize));
    // Enter presses the button that has the focus; elsewhere in a dialog it
    // goes to the one default button the window names.
    setAutoDefault(true);
}

} // namespace menugeral
