#include "widgets/PictureButton.h"

#include <QPainter>

namespace menugeral {

PictureButton::PictureButton(QWidget *parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus); // the window's own key handler keeps the keys
}

void PictureButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

const QPixmap &PictureButton::picture() const
{
    return m_picture;
}

QPoint PictureButton::pictureOffset() const
{
    const QSize pictureSize = m_picture.deviceIndependentSize().toSize();
    // Integer division rounds towards zero; a picture larger than the button
    // gives a negative offset, which floor division must round down too.
    const auto centre = [](int outer, int inner) {
        const int gap = outer - inner;
        return gap >= 0 ? gap / 2 : -((-gap + 1) / 2);
    };
    QPoint offset(centre(width(), pictureSize.width()), centre(height(), pictureSize.height()));
    // isDown() is true only while the left button is held and the pointer is inside.
    if (isDown())
        offset += QPoint(2, 2);
    return offset;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(pictureOffset(), m_picture);
}

} // namespace menugeral
