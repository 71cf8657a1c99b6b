#include "Captions.h"

#include <QLabel>

namespace menugeral::artwork {

QImage drawCaption(const MenuCaption &caption, int scale)
{
    // A label set up by the same code as the window's, drawn without any
    // background: the picture holds the text alone.
    QLabel label;
    applyCaption(label, caption);
    label.move(0, 0);
    QImage picture(caption.bounds.size() * scale, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);
    label.render(&picture, QPoint(), QRegion(), QWidget::RenderFlags());
    picture.setDevicePixelRatio(1.0);
    return picture.convertToFormat(QImage::Format_ARGB32);
}

} // namespace menugeral::artwork
