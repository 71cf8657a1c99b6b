#include "widgets/ClickableLabel.h"

#include <QMouseEvent>

namespace menugeral {

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : CaptionLabel(text, parent)
{}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    CaptionLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        // Like a button: releasing outside the label cancels the click.
        if (rect().contains(event->position().toPoint()))
            Q_EMIT clicked();
        return;
    }
    CaptionLabel::mouseReleaseEvent(event);
}

} // namespace menugeral
