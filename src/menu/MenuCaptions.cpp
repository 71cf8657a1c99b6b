#include "menu/MenuCaptions.h"

#include <QLabel>

namespace menugeral {
using namespace Qt::StringLiterals;

void applyCaption(QLabel &label, const MenuCaption &caption)
{
    label.setObjectName(caption.name.toString());
    label.setGeometry(caption.bounds);
    label.setText(caption.text.toString());
    QFont font(kCaptionFace.toString());
    font.setPixelSize(caption.pixelSize);
    font.setBold(true);
    font.setItalic(caption.italic);
    label.setFont(font);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(kCaptionColour));
    label.setPalette(palette);
    label.setAlignment(caption.alignment);
}

QString captionArtworkName(const MenuCaption &caption)
{
    return u"menu/captions/"_s + caption.name + u".png"_s;
}

} // namespace menugeral
