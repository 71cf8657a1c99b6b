#include "widgets/GradientPanel.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>

namespace menugeral {
namespace {

const QColor kNearWhite(0xFC, 0xFC, 0xFC);
const QColor kGrey(0xCA, 0xCA, 0xCB);
const QColor kBorder(0xCA, 0xCA, 0xCB, 155);
const GradientPanelColours kTitleStrip{kNearWhite, kNearWhite, kNearWhite, kGrey, kBorder};
const GradientPanelColours kModulesPanel{kNearWhite, kNearWhite, kNearWhite, kNearWhite, kBorder};

constexpr QRgb kBeneath = 0xFF3060C0; // the parent's colour, far from every panel colour

bool near(QRgb actual, QRgb expected, int tolerance = 2)
{
    return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
           std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

// The 1 px border laid over the panel's own fill.
QRgb borderOver(QRgb fill)
{
    const auto blend = [](int over, int under) {
        return (over * 155 + under * (255 - 155) + 127) / 255;
    };
    return qRgb(blend(kGrey.red(), qRed(fill)), blend(kGrey.green(), qGreen(fill)), blend(kGrey.blue(), qBlue(fill)));
}

// The panel drawn the plain way, antialiased shapes over the whole panel: what
// GradientPanel must look like, however it draws.
class ShapesPanel : public QWidget
{
public:
    ShapesPanel(const GradientPanelColours &colours, QWidget *parent) : QWidget(parent), m_colours(colours) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF bounds(rect());
        const qreal radius = GradientPanel::kCornerRadius;
        QPainterPath fillShape;
        fillShape.addRoundedRect(bounds, radius + 0.5, radius + 0.5);
        QPainterPath outline;
        outline.addRoundedRect(bounds.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        const int half = height() / 2;
        QLinearGradient upper(0, 0, 0, half);
        upper.setColorAt(0, m_colours.fill);
        upper.setColorAt(1, m_colours.fill2);
        QLinearGradient lower(0, half, 0, height());
        lower.setColorAt(0, m_colours.mirror);
        lower.setColorAt(1, m_colours.mirror2);
        painter.setClipRect(QRect(0, 0, width(), half));
        painter.fillPath(fillShape, m_colours.fill == m_colours.fill2 ? QBrush(m_colours.fill) : QBrush(upper));
        painter.setClipRect(QRect(0, half, width(), height() - half));
        painter.fillPath(fillShape, m_colours.mirror == m_colours.mirror2 ? QBrush(m_colours.mirror) : QBrush(lower));
        painter.setClipping(false);
        painter.strokePath(outline, QPen(m_colours.border, 1.0));
    }

private:
    GradientPanelColours m_colours;
};

// Grabs a panel of `size` lying on a parent of the colour kBeneath, at (10, 10).
template <typename Panel = GradientPanel> QImage panelOnParent(const GradientPanelColours &colours, const QSize &size)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kBeneath));
    parent.setPalette(palette);
    parent.resize(size + QSize(20, 20));
    auto *panel = new Panel(colours, &parent);
    panel->setGeometry(QRect(QPoint(10, 10), size));
    return parent.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(QRect(QPoint(10, 10), size));
}

struct PanelCase
{
    const char *name;
    GradientPanelColours colours;
    QSize size;
};

void PrintTo(const PanelCase &panel, std::ostream *out)
{
    *out << panel.name;
}

class GradientPanelPixels : public testing::TestWithParam<PanelCase>
{};

TEST_P(GradientPanelPixels, CornersShowWhatLiesBeneathAndTheBorderBlendsWithTheFill)
{
    const PanelCase &panel = GetParam();
    const QImage pixels = panelOnParent(panel.colours, panel.size);
    const int right = pixels.width() - 1;
    const int bottom = pixels.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)})
        EXPECT_EQ(pixels.pixel(corner), kBeneath) << "corner " << corner.x() << "," << corner.y();

    // Along the straight edges nothing of the parent shows: the border lies
    // on the panel's fill.
    const int middle = pixels.height() / 4; // in the upper half, where the fill is flat
    EXPECT_TRUE(near(pixels.pixel(0, middle), borderOver(kNearWhite.rgb())));
    EXPECT_TRUE(near(pixels.pixel(right, middle), borderOver(kNearWhite.rgb())));
    EXPECT_TRUE(near(pixels.pixel(pixels.width() / 2, 0), borderOver(kNearWhite.rgb())));

    EXPECT_EQ(pixels.pixel(pixels.width() / 2, middle), kNearWhite.rgb()) << "fill";
}

INSTANTIATE_TEST_SUITE_P(MenuPanels, GradientPanelPixels,
                         testing::Values(PanelCase{"TitleStrip", kTitleStrip, {736, 24}},
                                         PanelCase{"ModulesPanel", kModulesPanel, {736, 435}}),
                         [](const testing::TestParamInfo<PanelCase> &param) { return param.param.name; });

// What the panel claims to cover must never let the parent's colour through;
// the corners it leaves out must (somewhere) do so.
TEST_P(GradientPanelPixels, OpaqueRegionCoversExactlyWhatNothingShowsThrough)
{
    const PanelCase &panel = GetParam();
    GradientPanel widget(panel.colours);
    widget.resize(panel.size);
    const QRegion opaque = widget.opaqueRegion();
    ASSERT_FALSE(opaque.isEmpty());
    const QImage image = panelOnParent(panel.colours, panel.size);
    int beneathShowsOutside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            // The panel's colours are greys; any blue comes from beneath.
            const QRgb pixel = image.pixel(x, y);
            const bool showsBeneath = qBlue(pixel) - qRed(pixel) > 4;
            if (opaque.contains(QPoint(x, y)))
                ASSERT_FALSE(showsBeneath) << x << "," << y;
            else
                beneathShowsOutside += showsBeneath ? 1 : 0;
        }
    }
    EXPECT_GT(beneathShowsOutside, 0);

    GradientPanelColours translucent = panel.colours;
    translucent.mirror2.setAlpha(254);
    EXPECT_TRUE(GradientPanel(translucent).opaqueRegion().isEmpty());
}

// Only the corners are drawn as shapes; everything else must come out as the
// shapes would draw it, translucent and graded colours and tiny panels too.
TEST(GradientPanel, DrawsThePixelsOfItsAntialiasedShapes)
{
    const GradientPanelColours graded{QColor(250, 20, 20), QColor(20, 250, 20), QColor(20, 20, 250),
                                      QColor(250, 250, 20), QColor(0, 0, 0, 90)};
    const GradientPanelColours translucent{QColor(250, 20, 20, 120), QColor(20, 250, 20, 200), QColor(20, 20, 250, 60),
                                           QColor(250, 250, 20), QColor(255, 255, 255, 200)};
    const PanelCase cases[] = {{"title strip", kTitleStrip, {736, 24}},
                               {"modules panel", kModulesPanel, {736, 435}},
                               {"graded", graded, {301, 97}},
                               {"translucent", translucent, {120, 41}},
                               {"tiny", graded, {9, 7}},
                               {"narrow", translucent, {6, 60}}};
    for (const PanelCase &panel : cases) {
        SCOPED_TRACE(panel.name);
        EXPECT_EQ(panelOnParent(panel.colours, panel.size), panelOnParent<ShapesPanel>(panel.colours, panel.size));
    }
}

TEST(GradientPanel, TitleStripIsFlatAboveHalfHeightAndShadesToGreyBelow)
{
    const QImage pixels = panelOnParent(kTitleStrip, QSize(736, 24));
    const int x = 368;
    for (int y = 1; y < 12; ++y)
        EXPECT_EQ(pixels.pixel(x, y), kNearWhite.rgb()) << "row " << y;

    int previous = 256;
    for (int y = 12; y < 23; ++y) {
        const int grey = qGreen(pixels.pixel(x, y));
        EXPECT_LT(grey, previous) << "row " << y << " darker than the one above";
        EXPECT_GT(grey, kGrey.green()) << "row " << y;
        previous = grey;
    }
    EXPECT_TRUE(near(pixels.pixel(x, 23), kGrey.rgb())) << "bottom row";
}

TEST(GradientPanel, ModulesPanelIsFlatWithoutASeamAtHalfHeight)
{
    // 435 px: half height falls inside a pixel row.
    const QImage pixels = panelOnParent(kModulesPanel, QSize(736, 435));
    for (int y = 1; y < 434; ++y)
        ASSERT_EQ(pixels.pixel(368, y), kNearWhite.rgb()) << "row " << y;
}

} // namespace
} // namespace menugeral
