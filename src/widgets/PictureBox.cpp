#include "widgets/PictureBox.h"

#include "widgets/Centring.h"

#include <QPainter>

namespace menugeral {

PictureBox::PictureBox(QWidget *parent, Placement placement) : QWidget(parent), m_placement(placement)
{}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

const QImage &PictureBox::picture() const
{
    return m_picture;
}

PictureBox::Placement PictureBox::placement() const
{
    return m_placement;
}

QPoint PictureBox::pictureOffset() const
{
    if (m_placement != Placement::Centred)
        return {0, 0};
    return centredOffset(size(), m_picture.deviceIndependentSize().toSize());
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_placement == Placement::Stretched) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_picture);
    } else {
        painter.drawImage(pictureOffset(), m_picture);
    }
}

} // namespace menugeral
