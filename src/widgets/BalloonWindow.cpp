#include "widgets/BalloonWindow.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>
#include <QToolTip>

namespace menugeral {
using namespace Qt::StringLiterals;

namespace {

using M = BalloonMetrics;

constexpr int kTextRight = 12;
constexpr int kTextTop = 6;
constexpr int kTextBottom = 6;
constexpr int kShadowAlpha = 24; // per layer; the layers add up near the edge
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;

} // namespace

BalloonWindow::BalloonWindow(const QString &text, const QPoint &pointer, const QRect &available, bool translucent)
    : QWidget(nullptr,
              Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      m_text(text), m_translucent(translucent), m_layout(placeBalloon(pointer, bodySizeFor(text), available))
{
    setObjectName(u"BalloonHint"_s);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground, translucent);
    setFont(QToolTip::font());
    setPalette(QToolTip::palette());
    setGeometry(m_layout.frame);

    if (!translucent) {
        // The same non-antialiased strokes as the painting, so the mask holds
        // exactly the balloon's pixels.
        QBitmap shape(size());
        shape.fill(Qt::color0);
        QPainter painter(&shape);
        painter.setPen(QPen(Qt::color1, 1.0));
        painter.setBrush(Qt::color1);
        painter.drawPath(outline());
        painter.end();
        setMask(shape);
    }
}

const QString &BalloonWindow::text() const
{
    return m_text;
}

bool BalloonWindow::isTranslucent() const
{
    return m_translucent;
}

const BalloonLayout &BalloonWindow::layout() const
{
    return m_layout;
}

QSize BalloonWindow::bodySizeFor(const QString &text)
{
    const QSize textSize = QFontMetrics(QToolTip::font()).size(kTextFlags, text);
    return {kTextLeft + textSize.width() + kTextRight, kTextTop + textSize.height() + kTextBottom};
}

QPainterPath BalloonWindow::outline() const
{
    const QPoint origin = m_layout.frame.topLeft();
    const QRectF body = QRectF(m_layout.body.translated(-origin)).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = M::kCornerDiameter / 2.0;
    QPainterPath bodyPath;
    bodyPath.addRoundedRect(body, radius, radius);

    // The stem's base reaches a pixel into the body so that the union leaves
    // no seam between them.
    const QPointF centre(0.5, 0.5);
    const QPointF intoBody(0, m_layout.below ? 1.0 : -1.0);
    QPolygonF stem;
    stem << QPointF(m_layout.stem.at(0) - origin) + centre + intoBody
         << QPointF(m_layout.stem.at(1) - origin) + centre + intoBody << QPointF(m_layout.tip() - origin) + centre;
    stem << stem.first();
    QPainterPath stemPath;
    stemPath.addPolygon(stem);
    return bodyPath.united(stemPath).simplified();
}

void BalloonWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPainterPath shape = outline();
    if (m_translucent) {
        painter.setRenderHint(QPainter::Antialiasing);
        for (int offset = M::kShadow; offset >= 1; --offset)
            painter.fillPath(shape.translated(offset, offset), QColor(0, 0, 0, kShadowAlpha));
    }
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(palette().toolTipBase());
    painter.drawPath(shape);

    const QRect body = m_layout.body.translated(-m_layout.frame.topLeft());
    const QRect textArea = body.adjusted(kTextLeft, kTextTop, -kTextRight, -kTextBottom);
    painter.setPen(palette().toolTipText().color());
    painter.drawText(textArea, kTextFlags, m_text);
}

} // namespace menugeral
