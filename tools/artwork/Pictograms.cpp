#include "Pictograms.h"

#include "PictogramKit.h"

namespace menugeral::artwork {

using namespace Qt::StringLiterals;

namespace {

// Code points of the icon faces used below.
namespace material {
constexpr char32_t account = 0xF004;
constexpr char32_t accountMultiple = 0xF00E;
constexpr char32_t basket = 0xF076;
constexpr char32_t calculator = 0xF0EC;
constexpr char32_t cart = 0xF110;
constexpr char32_t chartPie = 0xF12B;
constexpr char32_t factory = 0xF20F;
constexpr char32_t fileCheck = 0xF216;
constexpr char32_t pineTree = 0xF405;
constexpr char32_t worker = 0xF5B5;
} // namespace material

namespace fork {
constexpr char32_t user = 0xF007;
constexpr char32_t users = 0xF0C0;
constexpr char32_t usd = 0xF155;
} // namespace fork

QPainterPath rect(qreal x, qreal y, qreal w, qreal h, qreal radius = 0.0)
{
    QPainterPath path;
    if (radius > 0.0)
        path.addRoundedRect(QRectF(x, y, w, h), radius, radius);
    else
        path.addRect(QRectF(x, y, w, h));
    return path;
}

QPainterPath circle(qreal cx, qreal cy, qreal r)
{
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

// Three bars with a lit top and a shaded side, and a pie before them.
void barChart3dWithPie(PictogramCanvas &c)
{
    constexpr qreal base = 21.0;
    constexpr qreal barWidth = 4.0;
    constexpr qreal dx = 2.0;
    constexpr qreal dy = 1.6;
    const struct
    {
        qreal x, top;
    } bars[] = {{0.5, 12.0}, {6.5, 6.5}, {12.5, 2.5}};
    for (const auto &bar : bars) {
        const qreal right = bar.x + barWidth;
        c.fill(rect(bar.x, bar.top, barWidth, base - bar.top));
        c.fill(polygon({{right, bar.top}, {right + dx, bar.top - dy}, {right + dx, base - dy}, {right, base}}), 0.6);
        c.fill(polygon({{bar.x, bar.top}, {bar.x + dx, bar.top - dy}, {right + dx, bar.top - dy}, {right, bar.top}}),
               0.8);
    }
    c.fillApart(c.materialGlyph(material::chartPie, QRectF(13.0, 11.5, 11.0, 11.0)), 1.3);
}

// Two pointed trees inside a ring.
void treesInCircle(PictogramCanvas &c)
{
    QPainterPath ring = circle(12, 12, 11);
    ring.addEllipse(QPointF(12, 12), 9.4, 9.4);
    c.fill(ring);
    c.fill(c.materialGlyph(material::pineTree, QRectF(4.8, 4.6, 9.0, 14.4)));
    c.fillApart(c.materialGlyph(material::pineTree, QRectF(10.8, 7.4, 8.2, 11.6)), 0.9);
}

// A factory hall with a second chimney beside the one the glyph has.
void factory(PictogramCanvas &c)
{
    const QPainterPath hall = c.materialGlyph(material::factory, QRectF(1, 1, 22, 22));
    c.fill(hall);
    const QRectF bounds = hall.boundingRect();
    // The glyph's own chimney stands at its right end; the second stands before it.
    const qreal chimneyWidth = bounds.width() * 0.11;
    const qreal x = bounds.right() - bounds.width() * 0.30;
    c.fill(rect(x, bounds.top() + bounds.height() * 0.12, chimneyWidth, bounds.height() * 0.5));
}

void worker(PictogramCanvas &c)
{
    c.fill(c.materialGlyph(material::worker, QRectF(1.5, 1.5, 21, 21)));
}

// A counter: its top and a lighter front panel.
void counter(PictogramCanvas &c)
{
    c.fillApart(rect(0.5, 15.0, 23.0, 2.2, 0.4), 0.9);
    c.fill(rect(2.0, 17.2, 20.0, 5.3), 0.55);
}

void personAtCounterWithBoxes(PictogramCanvas &c)
{
    c.fill(c.forkGlyph(fork::user, QRectF(2.0, 1.5, 10.0, 15.0)));
    counter(c);
    // Two boxes on the counter and one on top of them, each with a band of tape.
    const QRectF boxes[] = {{13.4, 9.8, 4.8, 5.2}, {18.6, 9.8, 4.8, 5.2}, {16.0, 4.2, 4.8, 5.2}};
    for (const QRectF &box : boxes) {
        c.fillApart(rect(box.x(), box.y(), box.width(), box.height(), 0.3), 0.7);
        c.cut(rect(box.center().x() - 0.45, box.y(), 0.9, 2.0));
    }
}

void shoppingCart(PictogramCanvas &c)
{
    c.fill(c.materialGlyph(material::cart, QRectF(1, 1, 22, 22)));
}

void dollarSign(PictogramCanvas &c)
{
    c.fill(c.forkGlyph(fork::usd, QRectF(5, 0.5, 14, 23)));
}

// Drawn by hand: the icon faces have no safe.
void safe(PictogramCanvas &c)
{
    c.fill(rect(1.5, 2.0, 21.0, 17.5, 1.6));
    c.cutLine(rect(4.0, 4.5, 14.0, 12.5, 0.8), 1.0);
    // Dial with its marks, and the handle beside it.
    c.cutLine(circle(11.0, 10.75, 3.6), 1.2);
    c.cut(circle(11.0, 10.75, 1.0));
    for (const QPointF &mark : {QPointF(11.0, 5.9), QPointF(15.85, 10.75), QPointF(11.0, 15.6), QPointF(6.15, 10.75)})
        c.cut(circle(mark.x(), mark.y(), 0.55));
    c.cut(rect(19.0, 7.0, 1.5, 7.5, 0.75));
    // Hinges on the left edge and feet below.
    c.cut(rect(1.5, 5.5, 1.2, 2.0));
    c.cut(rect(1.5, 14.0, 1.2, 2.0));
    c.fill(rect(3.5, 19.5, 3.5, 2.2, 0.5));
    c.fill(rect(17.0, 19.5, 3.5, 2.2, 0.5));
}

void personAtCheckoutWithBasket(PictogramCanvas &c)
{
    c.fill(c.forkGlyph(fork::user, QRectF(1.0, 1.5, 10.0, 15.0)));
    counter(c);
    c.fillApart(c.materialGlyph(material::basket, QRectF(12.0, 5.5, 11.5, 9.0)), 0.9);
}

// Axes and three bars, drawn as outlines only.
void outlinedBarChart(PictogramCanvas &c)
{
    QPainterPath axes;
    axes.moveTo(1.5, 1.5);
    axes.lineTo(1.5, 21.5);
    axes.lineTo(23.0, 21.5);
    c.outline(axes, 1.6);
    c.outline(rect(5.0, 12.0, 4.2, 7.8), 1.5);
    c.outline(rect(11.2, 4.5, 4.2, 15.3), 1.5);
    c.outline(rect(17.4, 8.5, 4.2, 11.3), 1.5);
}

// A price tag with its eyelet, the word FREE cut out of it.
void freeTag(PictogramCanvas &c)
{
    QPainterPath tag = polygon({{0.5, 12.0}, {6.0, 6.0}, {23.5, 6.0}, {23.5, 18.0}, {6.0, 18.0}});
    c.fill(tag);
    c.cut(circle(5.0, 12.0, 1.4));
    c.cut(c.letters(u"FREE"_s, QRectF(8.2, 8.6, 13.8, 6.8)));
}

void groupOfPeople(PictogramCanvas &c)
{
    c.fill(c.forkGlyph(fork::users, QRectF(0.5, 2.0, 23.0, 20.0)));
}

// A person with a headset: band over the head, ear cups and a microphone arm.
void personWithHeadset(PictogramCanvas &c)
{
    // The glyph's bounds are its 16-unit design box: head of radius 4 at the top middle.
    c.fill(c.materialGlyph(material::account, QRectF(4, 5, 16, 16)));
    QPainterPath band;
    band.arcMoveTo(QRectF(5.6, 2.6, 12.8, 13.0), 165);
    band.arcTo(QRectF(5.6, 2.6, 12.8, 13.0), 165, -150);
    c.cutLine(band, 3.2);
    c.outline(band, 1.3);
    const QPainterPath leftCup = rect(4.6, 7.6, 2.8, 5.0, 1.0);
    const QPainterPath rightCup = rect(16.6, 7.6, 2.8, 5.0, 1.0);
    c.fillApart(leftCup, 0.7);
    c.fillApart(rightCup, 0.7);
    QPainterPath arm;
    arm.moveTo(18.0, 12.4);
    arm.quadTo(17.8, 15.2, 14.4, 15.0);
    c.cutLine(arm, 2.6);
    c.outline(arm, 1.1);
    c.fillApart(circle(13.9, 15.0, 1.1), 0.6);
}

void twoPeople(PictogramCanvas &c)
{
    c.fill(c.materialGlyph(material::accountMultiple, QRectF(0.5, 2.0, 23.0, 20.0)));
}

void documentWithTick(PictogramCanvas &c)
{
    c.fill(c.materialGlyph(material::fileCheck, QRectF(2, 1, 20, 22)));
}

void calculator(PictogramCanvas &c)
{
    c.fill(c.materialGlyph(material::calculator, QRectF(2, 1, 20, 22)));
}

void pieChart(PictogramCanvas &c)
{
    c.fill(c.materialGlyph(material::chartPie, QRectF(1, 1, 22, 22)));
}

// A calculator with a stack of coins before it.
void calculatorWithCoins(PictogramCanvas &c)
{
    c.fill(c.materialGlyph(material::calculator, QRectF(0.5, 0.5, 15.0, 20.0)));
    for (int coin = 0; coin < 4; ++coin) {
        const qreal top = 19.0 - coin * 2.9;
        c.fillApart(rect(11.0, top, 12.0, 3.6, 1.8), 0.55);
    }
}

} // namespace

void drawPictogram(QPainter &painter, Pictogram pictogram, const QRectF &box, QColor tile, const ArtworkFonts &fonts)
{
    PictogramCanvas canvas(painter, box, tile, fonts);
    switch (pictogram) {
    case Pictogram::BarChart3dWithPie:
        return barChart3dWithPie(canvas);
    case Pictogram::TreesInCircle:
        return treesInCircle(canvas);
    case Pictogram::Factory:
        return factory(canvas);
    case Pictogram::Worker:
        return worker(canvas);
    case Pictogram::PersonAtCounterWithBoxes:
        return personAtCounterWithBoxes(canvas);
    case Pictogram::ShoppingCart:
        return shoppingCart(canvas);
    case Pictogram::DollarSign:
        return dollarSign(canvas);
    case Pictogram::Safe:
        return safe(canvas);
    case Pictogram::PersonAtCheckoutWithBasket:
        return personAtCheckoutWithBasket(canvas);
    case Pictogram::OutlinedBarChart:
        return outlinedBarChart(canvas);
    case Pictogram::FreeTag:
        return freeTag(canvas);
    case Pictogram::GroupOfPeople:
        return groupOfPeople(canvas);
    case Pictogram::PersonWithHeadset:
        return personWithHeadset(canvas);
    case Pictogram::TwoPeople:
        return twoPeople(canvas);
    case Pictogram::DocumentWithTick:
        return documentWithTick(canvas);
    case Pictogram::Calculator:
        return calculator(canvas);
    case Pictogram::PieChart:
        return pieChart(canvas);
    case Pictogram::CalculatorWithCoins:
        return calculatorWithCoins(canvas);
    }
}

} // namespace menugeral::artwork
