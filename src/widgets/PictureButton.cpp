#include "widgets/PictureButton.h"

#include "widgets/Centring.h"

#include <QPainter>

namespace menugeral {

PictureButton::PictureButton(QWidget *parent) : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus); // the window's own key handler keeps the keys
}

void PictureButton::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

const QImage &PictureButton::picture() const
{
    return m_picture;
}

QPoint PictureButton::pictureOffset() const
{
    QPoint offset = centredOffset(size(), m_picture.deviceIndependentSize().toSize());
    // QAbstractButton keeps isDown() true only while the left button is held
    // and the pointer is inside; other buttons never press it.
    if (isDown())
        offset += kPressedShift;
    return offset;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(pictureOffset(), m_picture);
}

} // namespace menugeral
