#include "widgets/GradientPanel.h"

#include <QImage>
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

// Grabs a panel of `size` lying on a parent of the colour kBeneath, at (10, 10).
QImage panelOnParent(const GradientPanelColours &colours, const QSize &size)
{
    QWidget parent;
    parent.setAutoFillBackground(true);
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(kBeneath));
    parent.setPalette(palette);
    parent.resize(size + QSize(20, 20));
    auto *panel = new GradientPanel(colours, &parent);
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
