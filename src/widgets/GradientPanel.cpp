#include "widgets/GradientPanel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace menugeral {

GradientPanel::GradientPanel(const GradientPanelColours &colours, QWidget *parent)
    : QWidget(parent), m_colours(colours)
{
}

const GradientPanelColours &GradientPanel::colours() const
{
    return m_colours;
}

void GradientPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The outline runs through the centres of the border pixels; the fill is
    // clipped to it so that the corners outside show what lies beneath.
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath shape;
    shape.addRoundedRect(outline, kCornerRadius, kCornerRadius);

    const qreal half = height() / 2.0;
    QLinearGradient upper(0, 0, 0, half);
    upper.setColorAt(0, m_colours.fill);
    upper.setColorAt(1, m_colours.fill2);
    QLinearGradient lower(0, half, 0, height());
    lower.setColorAt(0, m_colours.mirror);
    lower.setColorAt(1, m_colours.mirror2);

    painter.save();
    painter.setClipPath(shape);
    painter.fillRect(QRectF(0, 0, width(), half), upper);
    painter.fillRect(QRectF(0, half, width(), height() - half), lower);
    painter.restore();

    painter.setPen(QPen(m_colours.border, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

} // namespace menugeral
