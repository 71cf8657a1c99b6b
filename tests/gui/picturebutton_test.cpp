#include "widgets/PictureBox.h"
#include "widgets/PictureButton.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace menugeral {
namespace {

constexpr QRgb kBackground = 0xFF204060;
constexpr QRgb kTile = 0xFFC03040;
constexpr QRgb kMarker = 0xFF00FF00;
const QPoint kMarkerInPicture(3, 3);

// A tile picture of one colour with a single marker pixel, so that a grab
// tells where the picture was drawn.
QImage markedPicture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(kTile);
    image.setPixel(kMarkerInPicture, kMarker);
    return image;
}

// Where the picture's top-left corner was drawn, or nullopt if its marker is
// not in the grab.
std::optional<QPoint> drawnPictureOrigin(QWidget &widget)
{
    const QImage grab = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < grab.height(); ++y) {
        for (int x = 0; x < grab.width(); ++x) {
            if (grab.pixel(x, y) == kMarker)
                return QPoint(x, y) - kMarkerInPicture;
        }
    }
    return std::nullopt;
}

// A window holding one 80 x 80 button, shown so that real mouse events reach it.
class PressedImageTest : public testing::Test
{
protected:
    void SetUp() override
    {
        host.setAutoFillBackground(true);
        QPalette palette = host.palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(kBackground));
        host.setPalette(palette);
        host.resize(200, 120);
        button = new PictureButton(&host);
        button->setGeometry(10, 10, 80, 80);
        button->setPicture(markedPicture(QSize(76, 76)));
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    QWidget host;
    PictureButton *button = nullptr;
    const QPoint inside{40, 40};
    const QPoint outside{150, 40}; // on the window, right of the button
    const QPoint rest{2, 2};
    const QPoint shifted{4, 4};
};

TEST_F(PressedImageTest, LeftButtonShiftsTheImageOnlyWhileThePointerIsInside)
{
    QSignalSpy clicks(button, &PictureButton::clicked);
    EXPECT_EQ(drawnPictureOrigin(*button), rest);

    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(drawnPictureOrigin(*button), shifted);
    EXPECT_EQ(button->pictureOffset(), shifted);

    QTest::mouseMove(button, outside);
    EXPECT_EQ(drawnPictureOrigin(*button), rest) << "back in place once the pointer leaves";

    QTest::mouseMove(button, inside);
    EXPECT_EQ(drawnPictureOrigin(*button), shifted) << "shifted again when the pointer comes back";

    QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(drawnPictureOrigin(*button), rest);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(PressedImageTest, ReleasingOutsideNeitherClicksNorLeavesTheImageShifted)
{
    QSignalSpy clicks(button, &PictureButton::clicked);
    QTest::mousePress(button, Qt::LeftButton, {}, inside);
    QTest::mouseMove(button, outside);
    QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
    EXPECT_EQ(drawnPictureOrigin(*button), rest);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(PressedImageTest, OtherMouseButtonsNeitherShiftNorClick)
{
    QSignalSpy clicks(button, &PictureButton::clicked);
    for (const Qt::MouseButton other : {Qt::RightButton, Qt::MiddleButton}) {
        SCOPED_TRACE(int(other));
        QTest::mousePress(button, other, {}, inside);
        EXPECT_EQ(drawnPictureOrigin(*button), rest);
        QTest::mouseRelease(button, other, {}, inside);
    }
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(PressedImageTest, TakesNoFocusAndShowsTheHandCursor)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    EXPECT_FALSE(button->hasFocus());
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
}

struct CentringCase
{
    QSize box;
    QSize picture;
    QPoint offset;
};

// The tiles are 75 to 77 px in 80 px buttons and 157 x 76 in 161 x 80; the
// logos are 259 x 47 in 267 x 67 and 79 x 67 in 87 x 67. Odd gaps round down,
// also when the picture is the larger one.
const CentringCase kCentringCases[] = {
    {{80, 80}, {76, 76}, {2, 2}}, {{80, 80}, {77, 76}, {1, 2}},   {{80, 80}, {76, 75}, {2, 2}},
    {{80, 80}, {77, 77}, {1, 1}}, {{161, 80}, {157, 76}, {2, 2}}, {{267, 67}, {259, 47}, {4, 10}},
    {{87, 67}, {79, 67}, {4, 0}}, {{80, 80}, {83, 81}, {-2, -1}}, {{80, 80}, {80, 80}, {0, 0}},
};

TEST(PictureCentring, ButtonAndCentredBoxDrawThePictureAtTheRoundedDownOffset)
{
    for (const CentringCase &c : kCentringCases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height() << " in " << c.box.width()
                                        << "x" << c.box.height());
        PictureButton button;
        button.resize(c.box);
        button.setPicture(markedPicture(c.picture));
        EXPECT_EQ(drawnPictureOrigin(button), c.offset);

        PictureBox box(nullptr, PictureBox::Placement::Centred);
        box.resize(c.box);
        box.setPicture(markedPicture(c.picture));
        EXPECT_EQ(drawnPictureOrigin(box), c.offset);
    }
}

TEST(PictureBoxPlacement, TopLeftIsNeverCentredAndStretchedFillsTheBox)
{
    PictureBox topLeft(nullptr, PictureBox::Placement::TopLeft);
    topLeft.resize(41, 41);
    topLeft.setPicture(markedPicture(QSize(32, 32)));
    EXPECT_EQ(drawnPictureOrigin(topLeft), QPoint(0, 0));

    // A separator line: 462 x 2 drawn into 342 x 2.
    PictureBox stretched(nullptr, PictureBox::Placement::Stretched);
    stretched.setAttribute(Qt::WA_TranslucentBackground);
    stretched.resize(342, 2);
    QImage line(462, 2, QImage::Format_ARGB32);
    line.fill(QColor(0xE6, 0xE7, 0xE9));
    stretched.setPicture(line);
    const QImage grab = stretched.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(grab.size(), QSize(342, 2));
    for (const QPoint corner : {QPoint(0, 0), QPoint(341, 0), QPoint(0, 1), QPoint(341, 1)})
        EXPECT_EQ(grab.pixel(corner), 0xFFE6E7E9u) << corner.x() << "," << corner.y();
}

} // namespace
} // namespace menugeral
