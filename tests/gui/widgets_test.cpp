#include "widgets/ClickableLabel.h"
#include "widgets/EtchedLine.h"
#include "widgets/GlyphButton.h"
#include "widgets/WindowDragger.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

constexpr QRgb kMagenta = 0xFFFF00FF;
constexpr QRgb kGlyphInk = 0xFF00A000;

void setBackground(QWidget &widget, QRgb colour)
{
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    widget.setPalette(palette);
}

// A 16 x 16 glyph on magenta: a green square in the middle, with pixels next
// to magenta in colour that must stay.
QImage glyphOnMagenta()
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(kMagenta);
    for (int y = 4; y < 12; ++y) {
        for (int x = 4; x < 12; ++x)
            glyph.setPixel(x, y, kGlyphInk);
    }
    glyph.setPixel(0, 15, 0xFFFE00FF);
    glyph.setPixel(15, 0, 0xFFFF01FF);
    return glyph;
}

TEST(GlyphWithTransparentMagenta, ClearsExactlyTheMagentaPixels)
{
    const QImage glyph = glyphOnMagenta();
    const QImage result = glyphWithTransparentMagenta(glyph).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(result.size(), glyph.size());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const QRgb source = glyph.pixel(x, y);
            if (source == kMagenta)
                EXPECT_EQ(qAlpha(result.pixel(x, y)), 0) << x << "," << y;
            else
                EXPECT_EQ(result.pixel(x, y), source) << x << "," << y;
        }
    }
}

TEST(GlyphButton, DrawsTheGlyphLeftOfTheCaptionWithoutAnyMagenta)
{
    GlyphButton button(u"&Salvar"_s, glyphOnMagenta());
    button.resize(109, 25);
    EXPECT_EQ(button.iconSize(), QSize(16, 16));
    EXPECT_FALSE(button.isDefault());

    const QImage pixels = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int glyphRight = -1;
    int textLeft = pixels.width();
    const QRgb textColour = button.palette().color(QPalette::ButtonText).rgb();
    for (int y = 0; y < pixels.height(); ++y) {
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb pixel = pixels.pixel(x, y);
            ASSERT_NE(pixel, kMagenta) << "magenta shows at " << x << "," << y;
            if (pixel == kGlyphInk)
                glyphRight = std::max(glyphRight, x);
            else if (pixel == textColour)
                textLeft = std::min(textLeft, x);
        }
    }
    ASSERT_GE(glyphRight, 0) << "the glyph is drawn";
    ASSERT_LT(textLeft, pixels.width()) << "the caption is drawn";
    EXPECT_LT(glyphRight, textLeft);
}

// A dialog with an edit field, the default button and another glyph button.
class GlyphButtonKeys : public testing::Test
{
protected:
    void SetUp() override
    {
        dialog.resize(300, 100);
        edit = new QLineEdit(&dialog);
        edit->setGeometry(8, 8, 200, 21);
        save = new GlyphButton(u"&Salvar"_s, glyphOnMagenta(), &dialog);
        save->setGeometry(8, 60, 109, 25);
        save->setDefault(true);
        browse = new GlyphButton(QString(), glyphOnMagenta(), &dialog);
        browse->setGeometry(210, 8, 23, 21);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QApplication::setActiveWindow(&dialog);
    }

    QDialog dialog;
    QLineEdit *edit = nullptr;
    GlyphButton *save = nullptr;
    GlyphButton *browse = nullptr;
};

TEST_F(GlyphButtonKeys, EnterPressesTheFocusedButtonElseTheDefaultOne)
{
    QSignalSpy saves(save, &GlyphButton::clicked);
    QSignalSpy browses(browse, &GlyphButton::clicked);

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(saves.count(), 1);
    EXPECT_EQ(browses.count(), 0);

    browse->setFocus();
    QTest::keyClick(browse, Qt::Key_Return);
    EXPECT_EQ(saves.count(), 1);
    EXPECT_EQ(browses.count(), 1) << "Enter on a focused button presses that button";

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Enter);
    EXPECT_EQ(saves.count(), 2) << "the default button is the default again once the focus leaves";
    EXPECT_EQ(browses.count(), 1);
}

TEST(EtchedLine, DrawsShadowThenHighlightAtTheTopAndNothingBelow)
{
    constexpr QRgb kBeneath = 0xFF3060C0;
    QWidget parent;
    setBackground(parent, kBeneath);
    parent.resize(600, 20);
    auto *line = new EtchedLine(&parent);
    line->setGeometry(10, 8, 546, 5);

    const QImage pixels = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRgb shadow = line->palette().color(QPalette::Dark).rgb();
    const QRgb highlight = line->palette().color(QPalette::Light).rgb();
    ASSERT_NE(shadow, highlight);
    for (const int x : {10, 283, 555}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(pixels.pixel(x, 7), kBeneath);
        EXPECT_EQ(pixels.pixel(x, 8), shadow);
        EXPECT_EQ(pixels.pixel(x, 9), highlight);
        for (int y = 10; y < 13; ++y)
            EXPECT_EQ(pixels.pixel(x, y), kBeneath) << "row " << y;
    }
    EXPECT_EQ(pixels.pixel(9, 8), kBeneath);
    EXPECT_EQ(pixels.pixel(556, 8), kBeneath);
}

// A shown window with one child, so that real mouse events reach the child.
class ShownChild : public testing::Test
{
protected:
    template <typename Child> Child *showWith(Child *child, const QRect &bounds)
    {
        window.resize(300, 200);
        window.move(100, 100);
        child->setParent(&window);
        child->setGeometry(bounds);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return child;
    }

    QWidget window;
};

TEST_F(ShownChild, ClickableLabelReportsOnlyALeftClickReleasedOverIt)
{
    auto *label = showWith(new ClickableLabel(u"Sair"_s), QRect(10, 10, 28, 18));
    QSignalSpy clicks(label, &ClickableLabel::clicked);

    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);

    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1) << "the right button does not click";

    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(label, QPoint(100, 100));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(clicks.count(), 1) << "released elsewhere cancels the click";
}

TEST_F(ShownChild, WindowFollowsThePointerWhileAnyButtonIsHeldOnTheHandle)
{
    // The offscreen platform has no window manager move, so the fallback runs.
    QWidget *handle = showWith(new QWidget, QRect(0, 0, 100, 100));
    auto *dragger = new WindowDragger(handle);
    QSignalSpy presses(dragger, &WindowDragger::pressed);

    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        SCOPED_TRACE(int(button));
        const QPoint start = window.pos();
        QTest::mousePress(handle, button, {}, QPoint(10, 10));
        QTest::mouseMove(handle, QPoint(40, 30));
        EXPECT_EQ(window.pos(), start + QPoint(30, 20));
        QTest::mouseRelease(handle, button, {}, QPoint(40, 30));

        const QPoint released = window.pos();
        QTest::mouseMove(handle, QPoint(60, 60));
        EXPECT_EQ(window.pos(), released) << "no move once the button is up";
    }
    EXPECT_EQ(presses.count(), 2);
}

// A click whose pointer shakes a little is no drag: the window manager is not
// asked to move the window, nor does the window move from here.
TEST_F(ShownChild, LeftPressMovesNothingUntilThePointerPassesTheDragDistance)
{
    QWidget *handle = showWith(new QWidget, QRect(0, 0, 100, 100));
    new WindowDragger(handle);
    const QPoint start = window.pos();
    const int within = QApplication::startDragDistance() - 1;
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(handle, QPoint(10 + within, 10));
    EXPECT_EQ(window.pos(), start);
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(10 + within, 10));
    QTest::mouseMove(handle, QPoint(60, 60));
    EXPECT_EQ(window.pos(), start);
}

TEST_F(ShownChild, DoubleClickSecondPressAlsoStartsAMove)
{
    QWidget *handle = showWith(new QWidget, QRect(0, 0, 100, 100));
    auto *dragger = new WindowDragger(handle);
    QSignalSpy presses(dragger, &WindowDragger::pressed);

    const QPoint start = window.pos();
    const QPointF local(10, 10);
    const QPointF global = handle->mapToGlobal(local);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, local, global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(handle, &doubleClick);
    QMouseEvent move(QEvent::MouseMove, local + QPointF(25, 15), global + QPointF(25, 15), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(handle, &move);

    EXPECT_EQ(presses.count(), 1);
    EXPECT_EQ(window.pos(), start + QPoint(25, 15));
}

} // namespace
} // namespace menugeral
