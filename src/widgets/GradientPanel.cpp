#include "widgets/GradientPanel.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace menugeral {
namespace {

// A vertical gradient from `top` to `bottom`; a half of one colour (the whole
// modules panel) is filled plainly, which draws the same pixels far faster.
QBrush halfBrush(const QColor &top, const QColor &bottom, int from, int to)
{
    if (top == bottom)
        return top;
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

QRegion GradientPanel::opaqueRegion() const
{
    for (const QColor &colour : {m_colours.fill, m_colours.fill2, m_colours.mirror, m_colours.mirror2}) {
        if (colour.alpha() != 255)
            return {};
    }
    const int corner = cornerSize();
    const QRect all = rect();
    return QRegion(all.adjusted(corner, 0, -corner, 0)) + QRegion(all.adjusted(0, corner, 0, -corner));
}

void GradientPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);

    // Cut on a whole pixel row: a cut through the middle of a row would leave
    // that row half covered by each gradient and let the background through.
    const int w = width();
    const int h = height();
    const int half = h / 2;
    const QBrush upper = halfBrush(m_colours.fill, m_colours.fill2, 0, half);
    const QBrush lower = halfBrush(m_colours.mirror, m_colours.mirror2, half, h);

    // Away from the corner squares every pixel lies wholly inside the shapes,
    // where plain rectangles give the very pixels the antialiased shapes give,
    // for a fraction of the work. The rectangles never overlap, so translucent
    // colours are laid once. Panels too small for that take the shapes whole.
    const int c = cornerSize();
    const bool squaresFit = half >= c && h - half >= c && w >= 2 * c;
    if (squaresFit) {
        painter.fillRect(QRect(c, 0, w - 2 * c, c), upper);
        painter.fillRect(QRect(0, c, w, half - c), upper);
        painter.fillRect(QRect(0, half, w, h - half - c), lower);
        painter.fillRect(QRect(c, h - c, w - 2 * c, c), lower);
        const QColor &border = m_colours.border;
        painter.fillRect(QRect(c, 0, w - 2 * c, 1), border);
        painter.fillRect(QRect(c, h - 1, w - 2 * c, 1), border);
        painter.fillRect(QRect(0, c, 1, h - 2 * c), border);
        painter.fillRect(QRect(w - 1, c, 1, h - 2 * c), border);
    }

    // In each corner square, a small rounded box sharing that corner: within
    // the square its shapes are the panel's, and rasterising it is cheap.
    struct Corner
    {
        QRect square;  // what is drawn
        QRectF shapes; // the rounded box whose shapes are drawn there
    };
    const qreal box = 2 * c + 2;
    const QList<Corner> corners = squaresFit
                                      ? QList<Corner>{{QRect(0, 0, c, c), QRectF(0, 0, box, box)},
                                                      {QRect(w - c, 0, c, c), QRectF(w - box, 0, box, box)},
                                                      {QRect(0, h - c, c, c), QRectF(0, h - box, box, box)},
                                                      {QRect(w - c, h - c, c, c), QRectF(w - box, h - box, box, box)}}
                                      : QList<Corner>{{rect(), QRectF(rect())}};
    painter.setRenderHint(QPainter::Antialiasing);
    for (const auto &[corner, bounds] : corners) {
        // The border is stroked through the centres of the edge pixels. The
        // fill reaches the outer edge of that stroke, so the translucent
        // border blends with the panel's own colours; only outside the rounded
        // corners does what lies beneath show through.
        QPainterPath fillShape;
        fillShape.addRoundedRect(bounds, kCornerRadius + 0.5, kCornerRadius + 0.5);
        QPainterPath outline;
        outline.addRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);

        painter.setClipRect(corner & QRect(0, 0, w, half));
        painter.fillPath(fillShape, upper);
        painter.setClipRect(corner & QRect(0, half, w, h - half));
        painter.fillPath(fillShape, lower);
        painter.setClipRect(corner);
        painter.strokePath(outline, QPen(m_colours.border, 1.0));
    }
}

int GradientPanel::cornerSize()
{
    // The fill's corners are rounded to the radius plus half a pixel: the
    // square of that size at each corner holds partly covered pixels.
    return qCeil(kCornerRadius + 0.5);
}

} // namespace menugeral
