#include "PictogramKit.h"

#include "ArtworkFonts.h"

#include <QTransform>

#include <algorithm>

namespace menugeral::artwork {

namespace {

constexpr qreal gridSize = 24.0;

QPainterPath glyphOutline(const QRawFont &font, char32_t codePoint)
{
    const QList<quint32> indexes = font.glyphIndexesForString(QString::fromUcs4(&codePoint, 1));
    if (indexes.isEmpty() || indexes.constFirst() == 0)
        return {};
    return font.pathForGlyph(indexes.constFirst());
}

} // namespace

QPainterPath fittedInto(const QPainterPath &path, const QRectF &area)
{
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return {};
    const qreal scale = std::min(area.width() / bounds.width(), area.height() / bounds.height());
    QTransform transform;
    transform.translate(area.center().x(), area.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

PictogramCanvas::PictogramCanvas(QPainter &painter, const QRectF &box, QColor tile, const ArtworkFonts &fonts)
    : m_painter(painter), m_tile(tile), m_fonts(fonts)
{
    const qreal side = std::min(box.width(), box.height());
    m_painter.save();
    m_painter.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    m_painter.scale(side / gridSize, side / gridSize);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
}

PictogramCanvas::~PictogramCanvas()
{
    m_painter.restore();
}

QPainterPath PictogramCanvas::materialGlyph(char32_t codePoint, const QRectF &area) const
{
    return fittedInto(glyphOutline(m_fonts.materialIcons, codePoint), area);
}

QPainterPath PictogramCanvas::forkGlyph(char32_t codePoint, const QRectF &area) const
{
    return fittedInto(glyphOutline(m_fonts.forkIcons, codePoint), area);
}

QPainterPath PictogramCanvas::letters(const QString &text, const QRectF &area) const
{
    QFont font = m_fonts.caption;
    font.setPixelSize(100); // outlines only: the size is fitted afterwards
    QPainterPath path;
    path.addText(0, 0, font, text);
    return fittedInto(path, area);
}

void PictogramCanvas::fill(const QPainterPath &path, qreal opacity)
{
    m_painter.save();
    m_painter.setOpacity(opacity);
    m_painter.fillPath(path, Qt::white);
    m_painter.restore();
}

void PictogramCanvas::fillApart(const QPainterPath &path, qreal margin)
{
    m_painter.strokePath(path, QPen(m_tile, 2 * margin, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter.fillPath(path, Qt::white);
}

void PictogramCanvas::outline(const QPainterPath &path, qreal width)
{
    m_painter.strokePath(path, QPen(Qt::white, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void PictogramCanvas::cut(const QPainterPath &path)
{
    m_painter.fillPath(path, m_tile);
}

void PictogramCanvas::cutLine(const QPainterPath &path, qreal width)
{
    m_painter.strokePath(path, QPen(m_tile, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

} // namespace menugeral::artwork
