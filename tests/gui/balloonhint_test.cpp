#include "widgets/BalloonHint.h"
#include "widgets/BalloonWindow.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <ostream>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// A window with a hinted widget, another widget without a hint, and a panel
// with a hint holding a heading without one.
class BalloonHintTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(400, 300);
        window.move(200, 150);
        hinted = new QWidget(&window);
        hinted->setGeometry(20, 20, 80, 80);
        hinted->setToolTip(u"Minimizar a Janela"_s);
        plain = new QWidget(&window);
        plain->setGeometry(200, 20, 80, 80);
        panel = new QWidget(&window);
        panel->setGeometry(20, 150, 300, 100);
        panel->setToolTip(u"Painel"_s);
        heading = new QWidget(panel);
        heading->setGeometry(10, 10, 100, 20);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        hints.setTranslucent(true);
    }

    void TearDown() override
    {
        hints.hideBalloon();
        EXPECT_FALSE(QToolTip::isVisible()) << "Qt's own tool-tip box never shows";
    }

    // Asks for the hint the way Qt does when the pointer rests on `widget`.
    static void requestHint(QWidget *widget, const QPoint &local)
    {
        QHelpEvent request(QEvent::ToolTip, local, widget->mapToGlobal(local));
        QApplication::sendEvent(widget, &request);
    }

    BalloonWindow *balloon() const { return qobject_cast<BalloonWindow *>(hints.currentBalloon()); }

    BalloonHint hints;
    QWidget window;
    QWidget *hinted = nullptr;
    QWidget *plain = nullptr;
    QWidget *panel = nullptr;
    QWidget *heading = nullptr;
};

TEST_F(BalloonHintTest, ShowsTheWidgetsOwnHintAsABalloonAtThePointer)
{
    requestHint(hinted, QPoint(40, 40));
    ASSERT_NE(balloon(), nullptr);
    EXPECT_TRUE(balloon()->isVisible());
    EXPECT_EQ(balloon()->text(), u"Minimizar a Janela");
    EXPECT_EQ(balloon()->layout().tip(), hinted->mapToGlobal(QPoint(40, 40)));
    EXPECT_EQ(balloon()->geometry(), balloon()->layout().frame);
    EXPECT_EQ(balloon()->windowType(), Qt::ToolTip);
    EXPECT_TRUE(balloon()->windowFlags().testFlag(Qt::WindowTransparentForInput));
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(BalloonHintTest, AWidgetWithoutAHintShowsNothingNotEvenItsParentsHint)
{
    requestHint(heading, QPoint(5, 5));
    EXPECT_EQ(hints.currentBalloon(), nullptr);
    EXPECT_FALSE(QToolTip::isVisible());

    requestHint(hinted, QPoint(5, 5));
    ASSERT_NE(hints.currentBalloon(), nullptr);
    requestHint(plain, QPoint(5, 5));
    EXPECT_EQ(hints.currentBalloon(), nullptr) << "moving on to a widget without a hint hides the balloon";
    EXPECT_FALSE(hints.showHintFor(heading, QPoint(300, 300)));
}

TEST_F(BalloonHintTest, HidesWhenThePointerLeavesTheWidget)
{
    QTest::mouseMove(hinted, QPoint(40, 40));
    ASSERT_TRUE(hints.showHintFor(hinted, hinted->mapToGlobal(QPoint(40, 40))));
    QTest::mouseMove(hinted, QPoint(70, 70));
    EXPECT_NE(hints.currentBalloon(), nullptr) << "moving inside the widget keeps it";
    QTest::mouseMove(plain, QPoint(40, 40));
    EXPECT_EQ(hints.currentBalloon(), nullptr);
}

// What ends a hint: done to the provider, the window, the hinted widget and
// another widget of the window.
struct HideCase
{
    const char *name;
    std::function<void(BalloonHint &, QWidget &, QWidget *, QWidget *)> action;
};

void PrintTo(const HideCase &c, std::ostream *out)
{
    *out << c.name;
}

class BalloonHides : public BalloonHintTest, public testing::WithParamInterface<HideCase>
{};

TEST_P(BalloonHides, OnEveryEventThatEndsAHint)
{
    ASSERT_TRUE(hints.showHintFor(hinted, hinted->mapToGlobal(QPoint(40, 40))));
    GetParam().action(hints, window, hinted, plain);
    EXPECT_TRUE(QTest::qWaitFor([this] { return hints.currentBalloon() == nullptr; }, 2000));
}

const HideCase kHideCases[] = {
    {"MousePressAnywhere",
     [](BalloonHint &, QWidget &, QWidget *, QWidget *other) {
         QTest::mousePress(other, Qt::LeftButton);
     }},
    {"MousePressOnTheWidget",
     [](BalloonHint &, QWidget &, QWidget *target, QWidget *) {
         QTest::mousePress(target, Qt::RightButton);
     }},
    {"KeyPress",
     [](BalloonHint &, QWidget &window, QWidget *, QWidget *) {
         QTest::keyClick(&window, Qt::Key_A);
     }},
    {"WidgetHidden",
     [](BalloonHint &, QWidget &, QWidget *target, QWidget *) {
         target->hide();
     }},
    {"WindowHidden",
     [](BalloonHint &, QWidget &window, QWidget *, QWidget *) {
         window.hide();
     }},
    {"WidgetDestroyed",
     [](BalloonHint &, QWidget &, QWidget *target, QWidget *) {
         delete target;
     }},
    {"HintChanged",
     [](BalloonHint &, QWidget &, QWidget *target, QWidget *) {
         target->setToolTip(u"Outro"_s);
     }},
    {"DisplayTimeOver",
     [](BalloonHint &hints, QWidget &, QWidget *target, QWidget *) {
         hints.setDisplayTime(50ms);
         hints.hideBalloon();
         ASSERT_TRUE(hints.showHintFor(target, target->mapToGlobal(QPoint(1, 1))));
     }},
};

INSTANTIATE_TEST_SUITE_P(Events, BalloonHides, testing::ValuesIn(kHideCases),
                         [](const testing::TestParamInfo<HideCase> &param) { return std::string(param.param.name); });

// The geometry rule for pointers all over the screen: the stem's tip is at
// the pointer, the stem leaves the side of the body facing the pointer, and
// the balloon with its shadow stays inside the available area.
TEST_F(BalloonHintTest, StaysOnTheScreenWithItsStemTowardsThePointer)
{
    const QRect available = window.screen()->availableGeometry();
    const QPoint corners[] = {available.topLeft(),
                              available.topRight(),
                              available.bottomLeft(),
                              available.bottomRight(),
                              available.center(),
                              available.topLeft() + QPoint(3, 3),
                              available.bottomRight() - QPoint(3, 3),
                              QPoint(available.center().x(), available.top()),
                              QPoint(available.left(), available.center().y())};
    for (const QPoint pointer : corners) {
        SCOPED_TRACE(testing::Message() << "pointer at " << pointer.x() << "," << pointer.y());
        hints.hideBalloon();
        ASSERT_TRUE(hints.showHintFor(hinted, pointer));
        const BalloonLayout &layout = balloon()->layout();
        EXPECT_EQ(layout.tip(), pointer);
        EXPECT_TRUE(available.contains(layout.frame)) << "frame leaves the screen";
        EXPECT_EQ(balloon()->geometry(), layout.frame);
        if (layout.below) {
            EXPECT_LT(pointer.y(), layout.body.top());
            EXPECT_EQ(layout.stem.at(0).y(), layout.body.top());
        } else {
            EXPECT_GT(pointer.y(), layout.body.bottom());
            EXPECT_EQ(layout.stem.at(0).y(), layout.body.bottom());
        }
        // The stem leaves the straight part of the edge, clear of the corners.
        for (const int i : {0, 1}) {
            EXPECT_GE(layout.stem.at(i).x(), layout.body.left() + 6);
            EXPECT_LE(layout.stem.at(i).x(), layout.body.right() - 6);
        }
    }
}

TEST(BalloonPlacement, PrefersAboveAndRightOfThePointerAndFlipsAtTheEdges)
{
    const QRect screen(0, 0, 800, 600);
    const QSize body(150, 30);
    struct Case
    {
        QPoint pointer;
        bool below;
        bool rightward;
    };
    const Case cases[] = {
        {{400, 300}, false, true}, {{400, 5}, true, true},  {{790, 300}, false, false},
        {{790, 5}, true, false},   {{5, 595}, false, true}, {{799, 599}, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.pointer.x() << "," << c.pointer.y());
        const BalloonLayout layout = placeBalloon(c.pointer, body, screen);
        EXPECT_EQ(layout.below, c.below);
        EXPECT_EQ(layout.body.center().x() > c.pointer.x(), c.rightward);
        EXPECT_TRUE(screen.contains(layout.frame));
    }
}

TEST(BalloonPlacement, ABalloonWiderThanTheScreenKeepsItsLeftEdgeOnIt)
{
    const QRect screen(100, 0, 300, 600);
    const BalloonLayout layout = placeBalloon(QPoint(390, 300), QSize(500, 30), screen);
    EXPECT_EQ(layout.body.left(), 100);
    EXPECT_EQ(layout.tip(), QPoint(390, 300));
}

// The balloon's pixels, in the balloon's own coordinates.
class BalloonPixels : public BalloonHintTest
{
protected:
    QImage showAndGrab(bool translucent, const QString &hint = u"Minimizar a Janela"_s)
    {
        hints.setTranslucent(translucent);
        hinted->setToolTip(hint);
        const QRect available = window.screen()->availableGeometry();
        EXPECT_TRUE(hints.showHintFor(hinted, available.center()));
        body = balloon()->layout().body.translated(-balloon()->layout().frame.topLeft());
        stem = balloon()->layout().stem.translated(-balloon()->layout().frame.topLeft());
        return balloon()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    }

    QRect body;
    QPolygon stem;
    const QRgb fill = QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase).rgb();
};

TEST_F(BalloonPixels, TranslucentBalloonHasRoundedCornersOutlineShadowAndTextFromTwelvePixels)
{
    const QImage pixels = showAndGrab(true);
    ASSERT_TRUE(balloon()->isTranslucent());
    EXPECT_TRUE(balloon()->mask().isEmpty());
    const int middle = body.center().y();

    EXPECT_EQ(qAlpha(pixels.pixel(body.topLeft())), 0) << "outside the rounded corner";
    EXPECT_EQ(qAlpha(pixels.pixel(body.topRight())), 0);
    EXPECT_EQ(pixels.pixel(body.left(), middle), 0xFF000000u) << "1 px black outline";
    EXPECT_EQ(pixels.pixel(body.right(), middle), 0xFF000000u);
    EXPECT_EQ(pixels.pixel(body.left() + 1, middle), fill);
    EXPECT_EQ(pixels.pixel(body.right() - 3, middle), fill);

    const QRgb shadow = pixels.pixel(body.right() + 2, middle);
    EXPECT_GT(qAlpha(shadow), 0) << "a shadow to the right";
    EXPECT_LT(qAlpha(shadow), 255);
    EXPECT_GT(qAlpha(pixels.pixel(body.center().x(), body.bottom() + 2)), 0) << "a shadow below";

    // The stem is filled up to the body and outlined to its tip.
    const QPoint stemInside((stem.at(0).x() + stem.at(1).x()) / 2, stem.at(0).y() + 2);
    EXPECT_EQ(pixels.pixel(stemInside), fill);
    EXPECT_GT(qAlpha(pixels.pixel(stem.at(2))), 0);

    // The text's first ink stands 12 px from the body's left edge (a glyph's
    // side bearing may add a pixel).
    int firstInk = body.width();
    for (int y = body.top() + 6; y < body.bottom() - 6; ++y) {
        for (int x = body.left() + 1; x < body.right(); ++x) {
            if (qGray(pixels.pixel(x, y)) < qGray(fill) - 60) {
                firstInk = std::min(firstInk, x - body.left());
                break;
            }
        }
    }
    EXPECT_GE(firstInk, BalloonWindow::kTextLeft);
    EXPECT_LE(firstInk, BalloonWindow::kTextLeft + 1);
}

TEST_F(BalloonPixels, OpaqueBalloonIsCutToItsShapeByAMaskWithoutShadow)
{
    showAndGrab(false);
    ASSERT_FALSE(balloon()->isTranslucent());
    const QRegion mask = balloon()->mask();
    ASSERT_FALSE(mask.isEmpty());
    EXPECT_TRUE(mask.contains(body.center()));
    EXPECT_TRUE(mask.contains(QPoint(body.left(), body.center().y())));
    EXPECT_TRUE(mask.contains(stem.at(2))) << "the stem's tip";
    EXPECT_FALSE(mask.contains(body.topLeft())) << "outside the rounded corner";
    EXPECT_FALSE(mask.contains(body.bottomRight()));
    EXPECT_FALSE(mask.contains(QPoint(body.right() + 2, body.center().y()))) << "no shadow";
}

TEST_F(BalloonPixels, AHintOfTwoLinesGivesATallerBalloon)
{
    showAndGrab(true);
    const int oneLine = body.height();
    const QImage pixels = showAndGrab(true, u"Primeira linha\nSegunda linha"_s);
    EXPECT_GE(body.height(), oneLine + QFontMetrics(QToolTip::font()).lineSpacing());
    EXPECT_EQ(pixels.pixel(body.left(), body.bottom() - 6), 0xFF000000u);
}

} // namespace
} // namespace menugeral
