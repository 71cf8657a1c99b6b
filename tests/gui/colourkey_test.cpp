#include "widgets/ColourKey.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace menugeral {
namespace {

constexpr QRgb kAqua = 0xFF00FFFF;

// Every pixel is in the region exactly when it is not aqua (alpha ignored).
void expectRegionIsTheNonKeyPixels(const QRegion &region, const QImage &image)
{
    int mismatches = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool key = (image.pixel(x, y) & RGB_MASK) == (kAqua & RGB_MASK);
            if (region.contains(QPoint(x, y)) == key && ++mismatches <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y << (key ? " is aqua but kept" : " is cut out");
        }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_TRUE(image.rect().contains(region.boundingRect()) || region.isEmpty());
}

QImage filled(QSize size, QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

struct RegionCase
{
    const char *name;
    std::function<QImage()> picture;
};

const RegionCase kRegionCases[] = {
    {"no aqua at all",
     [] {
         return filled({64, 48}, 0xFF336699);
     }},
    {"all aqua",
     [] {
         return filled({64, 48}, kAqua);
     }},
    {"one aqua pixel",
     [] {
         QImage image = filled({64, 48}, 0xFF336699);
         image.setPixel(31, 20, kAqua);
         return image;
     }},
    {"aqua at the four corners and edges",
     [] {
         QImage image = filled({64, 48}, 0xFF336699);
         for (int x = 0; x < 64; ++x)
             image.setPixel(x, 0, kAqua);
         for (int y = 0; y < 48; ++y)
             image.setPixel(63, y, kAqua);
         image.setPixel(0, 47, kAqua);
         return image;
     }},
    {"colours next to aqua are kept",
     [] {
         QImage image = filled({64, 48}, 0xFF00FFFE);
         image.setPixel(1, 1, 0xFF01FFFF);
         image.setPixel(2, 2, 0xFF00FEFF);
         image.setPixel(3, 3, kAqua);
         return image;
     }},
    {"aqua with any alpha is cut",
     [] {
         QImage image = filled({64, 48}, 0xFF336699, QImage::Format_ARGB32);
         image.setPixel(10, 10, 0x8000FFFF);
         image.setPixel(11, 10, 0x0000FFFF);
         return image;
     }},
    {"a pattern that changes on every line",
     [] {
         QImage image = filled({97, 61}, 0xFF808080);
         unsigned seed = 12345;
         for (int y = 0; y < image.height(); ++y) {
             for (int x = 0; x < image.width(); ++x) {
                 seed = seed * 1103515245u + 12345u;
                 if ((seed >> 16) % 5 == 0)
                     image.setPixel(x, y, kAqua);
             }
         }
         return image;
     }},
    {"a picture in another format",
     [] {
         QImage image = filled({40, 30}, 0xFF204080, QImage::Format_RGB888);
         QPainter(&image).fillRect(5, 6, 7, 8, QColor::fromRgb(kAqua));
         return image;
     }},
};

TEST(RegionWithoutColour, HoldsExactlyThePixelsThatAreNotTheKey)
{
    for (const RegionCase &c : kRegionCases) {
        SCOPED_TRACE(c.name);
        const QImage picture = c.picture();
        expectRegionIsTheNonKeyPixels(regionWithoutColour(picture, kAqua), picture);
    }
}

TEST(RegionWithoutColour, LinesWithTheSameRunsShareOneBand)
{
    // A hole in the middle of the picture: one band above, two rectangles
    // beside the hole, one band below.
    QImage picture = filled({780, 569}, 0xFF336699);
    QPainter(&picture).fillRect(100, 200, 50, 40, QColor::fromRgb(kAqua));
    EXPECT_EQ(regionWithoutColour(picture, kAqua).rectCount(), 4);
    EXPECT_EQ(regionWithoutColour(filled({780, 569}, 0xFF336699), kAqua).rectCount(), 1);
}

// A window painting a picture, as the menu paints its background.
class PictureWindow : public QWidget
{
public:
    explicit PictureWindow(QImage picture) : m_picture(std::move(picture)) { resize(m_picture.size()); }
    void setPicture(QImage picture)
    {
        m_picture = std::move(picture);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).drawImage(0, 0, m_picture); }

private:
    QImage m_picture;
};

QImage menuSizedPictureWithAqua()
{
    QImage picture(780, 569, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, 128, y % 256));
    }
    QPainter painter(&picture);
    painter.fillRect(300, 250, 120, 60, QColor::fromRgb(kAqua));
    painter.end();
    for (const QPoint p : {QPoint(0, 0), QPoint(779, 568), QPoint(10, 400), QPoint(11, 400)})
        picture.setPixel(p, kAqua);
    return picture;
}

TEST(ApplyColourKey, MasksOutExactlyTheAquaPixelsOfTheRenderedWindow)
{
    const QImage picture = menuSizedPictureWithAqua();
    PictureWindow window(picture);
    applyColourKey(&window, kAqua);
    ASSERT_FALSE(window.mask().isEmpty());
    expectRegionIsTheNonKeyPixels(window.mask(), picture);
}

TEST(ApplyColourKey, ApplyingAgainKeepsTheSameMask)
{
    const QImage picture = menuSizedPictureWithAqua();
    PictureWindow window(picture);
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        applyColourKey(&window, kAqua);
        ASSERT_FALSE(window.mask().isEmpty());
        EXPECT_TRUE(window.mask().xored(regionWithoutColour(picture, kAqua)).isEmpty());
    }
}

TEST(ApplyColourKey, APictureWithoutAquaGivesNoMaskAndClearsAnOldOne)
{
    QImage withoutAqua(780, 569, QImage::Format_RGB32);
    withoutAqua.fill(0xFF00FFFE);
    PictureWindow window(menuSizedPictureWithAqua());
    applyColourKey(&window, kAqua);
    ASSERT_FALSE(window.mask().isEmpty());

    window.setPicture(withoutAqua);
    applyColourKey(&window, kAqua);
    EXPECT_TRUE(window.mask().isEmpty());
}

} // namespace
} // namespace menugeral
