#include "widgets/GradientPanel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace menugeral {
namespace {

QLinearGradient verticalGradient(const QColor &top, const QColor &bottom, int from, int to)
{
    QLinearGradient gradient(0, from, 0, to);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

} // namespace

GradientPanel::GradientPanel(const GradientPanelColours &colours, QWidget *parent) : QWidget(parent), m_colours(colours)
{}

const GradientPanelColours &GradientPanel::colours() const
{
    return m_colours;
}

void GradientPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The border is stroked through the centres of the edge pixels. The fill
    // reaches the outer edge of that stroke, so the translucent border blends
    // with the panel's own colours; only outside the rounded corners does
    // what lies beneath show through.
    const QRectF bounds(rect());
    QPainterPath fillShape;
    fillShape.addRoundedRect(bounds, kCornerRadius + 0.5, kCornerRadius + 0.5);
    QPainterPath outline;
    outline.addRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);

    // Cut on a whole pixel row: a cut through the middle of a row would leave
    // that row half covered by each gradient and let the background through.
    const int half = height() / 2;
    painter.setClipRect(QRect(0, 0, width(), half));
    painter.fillPath(fillShape, verticalGradient(m_colours.fill, m_colours.fill2, 0, half));
    painter.setClipRect(QRect(0, half, width(), height() - half));
    painter.fillPath(fillShape, verticalGradient(m_colours.mirror, m_colours.mirror2, half, height()));
    painter.setClipping(false);
    painter.strokePath(outline, QPen(m_colours.border, 1.0));
}

} // namespace menugeral
