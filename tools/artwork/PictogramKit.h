#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QRectF>

namespace menugeral::artwork {

struct ArtworkFonts;

// A 24 x 24 drawing grid laid over the middle of a box of a tile, in which the
// pictograms are drawn in white on the tile's colour. Glyphs of the icon faces
// are taken as outlines and fitted into rectangles of the grid.
class PictogramCanvas
{
public:
    PictogramCanvas(QPainter &painter, const QRectF &box, QColor tile, const ArtworkFonts &fonts);
    ~PictogramCanvas();
    PictogramCanvas(const PictogramCanvas &) = delete;
    PictogramCanvas &operator=(const PictogramCanvas &) = delete;

    // The outline of a glyph, scaled evenly to fit `area` and centred in it.
    QPainterPath materialGlyph(char32_t codePoint, const QRectF &area) const;
    QPainterPath forkGlyph(char32_t codePoint, const QRectF &area) const;
    // Bold letters as an outline, fitted the same way.
    QPainterPath letters(const QString &text, const QRectF &area) const;

    void fill(const QPainterPath &path, qreal opacity = 1.0);
    // Fills the shape after clearing a margin of tile colour around it, so
    // that it stands apart from the shapes it overlaps.
    void fillApart(const QPainterPath &path, qreal margin = 1.2);
    void outline(const QPainterPath &path, qreal width);
    // Draws in the tile's colour over white parts (holes, lines, letters).
    void cut(const QPainterPath &path);
    void cutLine(const QPainterPath &path, qreal width);

private:
    QPainter &m_painter;
    QColor m_tile;
    const ArtworkFonts &m_fonts;
};

QPainterPath fittedInto(const QPainterPath &path, const QRectF &area);

} // namespace menugeral::artwork
