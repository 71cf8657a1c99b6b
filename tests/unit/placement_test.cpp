#include "core/WindowPlacement.h"

#include <QPoint>
#include <QRect>

#include <gtest/gtest.h>

#include <ostream>

namespace menugeral {
namespace {

// The main window sits at (100, 50), 780 x 569: its inner limits are left 102
// (moved to 103), right 878, top 72 (password) or 66 (settings), bottom 617.
const QRect kMain(100, 50, 780, 569);
constexpr int kPasswordTop = 22;
constexpr int kSettingsTop = 16;

struct PlacementCase
{
    const char *name;
    QRect dialog;
    int topMargin;
    QPoint expected;
};

void PrintTo(const PlacementCase &c, std::ostream *out)
{
    *out << c.name;
}

class KeepInside : public testing::TestWithParam<PlacementCase>
{};

TEST_P(KeepInside, MovesTheDialogBackInside)
{
    const PlacementCase &c = GetParam();
    EXPECT_EQ(keepInside(c.dialog, kMain, {c.topMargin}), c.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Margins, KeepInside, testing::Values(
    PlacementCase{"already_inside",            QRect(300, 200, 300, 200), kPasswordTop, {300, 200}},
    // left: strictly less than 2 px inside moves to 3 px inside
    PlacementCase{"left_exactly_2_inside",     QRect(102, 200, 300, 200), kPasswordTop, {102, 200}},
    PlacementCase{"left_1_inside",             QRect(101, 200, 300, 200), kPasswordTop, {103, 200}},
    PlacementCase{"left_far_outside",          QRect(-500, 200, 300, 200), kPasswordTop, {103, 200}},
    // right: the right edge may touch 2 px inside
    PlacementCase{"right_exactly_2_inside",    QRect(578, 200, 300, 200), kPasswordTop, {578, 200}},
    PlacementCase{"right_1_inside",            QRect(579, 200, 300, 200), kPasswordTop, {578, 200}},
    PlacementCase{"right_far_outside",         QRect(2000, 200, 300, 200), kPasswordTop, {578, 200}},
    // top: 22 px for the password dialog, 16 for the settings window
    PlacementCase{"top_exactly_22_inside",     QRect(300, 72, 300, 200), kPasswordTop, {300, 72}},
    PlacementCase{"top_21_inside",             QRect(300, 71, 300, 200), kPasswordTop, {300, 72}},
    PlacementCase{"top_16_inside_password",    QRect(300, 66, 300, 200), kPasswordTop, {300, 72}},
    PlacementCase{"top_exactly_16_settings",   QRect(300, 66, 300, 200), kSettingsTop, {300, 66}},
    PlacementCase{"top_15_inside_settings",    QRect(300, 65, 300, 200), kSettingsTop, {300, 66}},
    // bottom: the bottom edge may touch 2 px inside
    PlacementCase{"bottom_exactly_2_inside",   QRect(300, 417, 300, 200), kPasswordTop, {300, 417}},
    PlacementCase{"bottom_1_inside",           QRect(300, 418, 300, 200), kPasswordTop, {300, 417}},
    PlacementCase{"bottom_far_outside",        QRect(300, 3000, 300, 200), kSettingsTop, {300, 417}},
    PlacementCase{"top_left_corner_outside",   QRect(0, 0, 300, 200), kSettingsTop, {103, 66}},
    // too big: the later step wins, so the dialog ends aligned right or bottom
    PlacementCase{"wider_than_main",           QRect(0, 200, 780, 200), kPasswordTop, {98, 200}},
    PlacementCase{"as_wide_as_main_less_4",    QRect(0, 200, 776, 200), kPasswordTop, {102, 200}},
    PlacementCase{"taller_than_main",          QRect(300, 0, 300, 600), kPasswordTop, {300, 17}},
    PlacementCase{"taller_settings",           QRect(300, 0, 300, 600), kSettingsTop, {300, 17}}),
    [](const testing::TestParamInfo<PlacementCase> &param) { return std::string(param.param.name); });
// clang-format on

} // namespace
} // namespace menugeral
