#include "widgets/CaptionLabel.h"

#include <QPaintEvent>
#include <QPainter>

namespace menugeral {

CaptionLabel::CaptionLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{}

void CaptionLabel::setCaptionPicture(const QImage &picture)
{
    m_picture = picture;
    m_pictureText = text();
    m_pictureFont = font();
    update();
}

const QImage &CaptionLabel::captionPicture() const
{
    return m_picture;
}

bool CaptionLabel::showsCaptionPicture() const
{
    // A picture of another text or face, or one drawn for other bounds, would
    // show the wrong caption: then the text is drawn.
    return !m_picture.isNull() && m_pictureText == text() && m_pictureFont == font() &&
           m_picture.deviceIndependentSize().toSize() == size() && isEnabled();
}

void CaptionLabel::paintEvent(QPaintEvent *event)
{
    if (!showsCaptionPicture()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), m_picture);
}

} // namespace menugeral
