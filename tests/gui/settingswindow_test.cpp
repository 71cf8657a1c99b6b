#include "QtPrinters.h"
#include "SettingsTestSupport.h"
#include "WaylandLimits.h"
#include "core/WindowPlacement.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

// A key pressed with the focus on a widget of the settings window, and what it does.
struct KeyCase
{
    const char *name;
    const char16_t *focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    enum Effect
    {
        Saves,
        Cancels,
        Browses
    } effect;

    friend void PrintTo(const KeyCase &c, std::ostream *out) { *out << c.name; }
};

class SettingsKeyTest : public SettingsWindowTest, public ::testing::WithParamInterface<KeyCase>
{};

TEST_P(SettingsKeyTest, PressesTheButtonItShould)
{
    const KeyCase &c = GetParam();
    if (c.modifiers.testFlag(Qt::AltModifier) && menugeral::test::onWayland())
        GTEST_SKIP() << menugeral::test::kNoActiveWindow << ", so window-wide shortcuts cannot fire";
    auto window = openWindow();
    ASSERT_TRUE(menugeral::test::waitUntilActive(window.get()));
    edit(*window, u"edtModCaixa"_s)->setText(u"/opt/caixa/caixa"_s);
    fakes.fileChooser.answers = {std::nullopt};
    int cancelClicks = 0;
    QObject::connect(childNamed<QPushButton>(*window, u"bitCancelar"_s), &QPushButton::clicked,
                     [&] { ++cancelClicks; });

    QWidget *focus = childNamed<QWidget>(*window, QString::fromUtf16(c.focus));
    focus->setFocus();
    QTest::keyClick(focus, c.key, c.modifiers);
    // Alt plus a letter clicks after the button's short press animation.
    if (c.effect != KeyCase::Browses) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 1000));
    }

    EXPECT_EQ(window->isVisible(), c.effect == KeyCase::Browses);
    EXPECT_EQ(fakes.fileChooser.initialFileNames.size(), c.effect == KeyCase::Browses ? 1 : 0);
    EXPECT_EQ(QFile::exists(configFile()), c.effect == KeyCase::Saves);
    EXPECT_EQ(cancelClicks, c.effect == KeyCase::Cancels ? 1 : 0) << "the cancel button's own handler runs";
    expectFormCloseRan(c.effect == KeyCase::Browses ? 0 : 1);
    EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, SettingsKeyTest,
    ::testing::Values(KeyCase{"EnterAtOpening", u"bitSalvar", Qt::Key_Return, Qt::NoModifier, KeyCase::Saves},
                      KeyCase{"EnterInAnEditField", u"edtModCaixa", Qt::Key_Return, Qt::NoModifier, KeyCase::Saves},
                      KeyCase{"EnterInTheLastEditField", u"edtModCia", Qt::Key_Enter, Qt::KeypadModifier,
                              KeyCase::Saves},
                      KeyCase{"EnterOnABrowseButton", u"BitBtn3", Qt::Key_Return, Qt::NoModifier, KeyCase::Browses},
                      KeyCase{"EnterOnCancelar", u"bitCancelar", Qt::Key_Return, Qt::NoModifier, KeyCase::Cancels},
                      KeyCase{"EscapeInAnEditField", u"edtModCaixa", Qt::Key_Escape, Qt::NoModifier, KeyCase::Cancels},
                      KeyCase{"EscapeOnABrowseButton", u"BitBtn19", Qt::Key_Escape, Qt::NoModifier, KeyCase::Cancels},
                      KeyCase{"EscapeOnSalvar", u"bitSalvar", Qt::Key_Escape, Qt::NoModifier, KeyCase::Cancels},
                      KeyCase{"EscapeOnCancelar", u"bitCancelar", Qt::Key_Escape, Qt::NoModifier, KeyCase::Cancels},
                      KeyCase{"AltS", u"edtModPdv", Qt::Key_S, Qt::AltModifier, KeyCase::Saves},
                      KeyCase{"AltC", u"BitBtn1", Qt::Key_C, Qt::AltModifier, KeyCase::Cancels}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(SettingsWindowTest, EnterAfterLeavingABrowseButtonSavesAgain)
{
    auto window = openWindow();
    ASSERT_TRUE(menugeral::test::waitUntilActive(window.get()));
    childNamed<QWidget>(*window, u"BitBtn3"_s)->setFocus();
    QWidget *field = edit(*window, u"edtModCaixa"_s);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(QFile::exists(configFile()));
    EXPECT_TRUE(fakes.fileChooser.initialFileNames.isEmpty());
}

TEST_F(SettingsWindowTest, TheCloseBoxClosesWithoutSavingAndRunsFormClose)
{
    auto window = openWindow();
    edit(*window, u"edtModLucro"_s)->setText(u"/opt/lucro"_s);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(QFile::exists(configFile()));
    expectFormCloseRan(1);
}

TEST_F(SettingsWindowTest, CancelWithoutAFileReloadsTheMainWindowAndCreatesNothing)
{
    auto window = openWindow();
    bool windowStillUpWhileReloading = false;
    host.onReload = [&] {
        windowStillUpWhileReloading = window->isVisible();
    };
    for (QLineEdit *field : window->findChildren<QLineEdit *>())
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();

    childNamed<QPushButton>(*window, u"bitCancelar"_s)->click();
    expectFormCloseRan(1);
    EXPECT_TRUE(windowStillUpWhileReloading) << "the main window reloads as the window closes";
    EXPECT_FALSE(QFile::exists(configFile()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

TEST_F(SettingsWindowTest, BrowseReplacesTheWholeTextOrNothingAndStartsAtTheLastConfirmedFile)
{
    auto window = openWindow();
    QLineEdit *caixa = edit(*window, u"edtModCaixa"_s);
    QLineEdit *cia = edit(*window, u"edtModCia"_s);
    caixa->setText(u"/opt/caixa/caixa /remoto /v:1"_s);
    cia->setText(u"/opt/cia/cia"_s);
    fakes.fileChooser.answers = {u"/novo/caixa"_s, std::nullopt, u"/novo/cia"_s, std::nullopt};

    childNamed<QPushButton>(*window, u"BitBtn3"_s)->click(); // confirmed
    EXPECT_EQ(caixa->text(), u"/novo/caixa"_s) << "switches go with the old text";
    childNamed<QPushButton>(*window, u"BitBtn14"_s)->click(); // cancelled
    EXPECT_EQ(cia->text(), u"/opt/cia/cia"_s);
    childNamed<QPushButton>(*window, u"BitBtn14"_s)->click(); // confirmed
    EXPECT_EQ(cia->text(), u"/novo/cia"_s);
    childNamed<QPushButton>(*window, u"BitBtn3"_s)->click(); // cancelled
    EXPECT_EQ(caixa->text(), u"/novo/caixa"_s);

    EXPECT_EQ(fakes.fileChooser.initialFileNames,
              (QStringList{u""_s, u"/novo/caixa"_s, u"/novo/caixa"_s, u"/novo/cia"_s}));

    // A new opening of the window starts from nothing again.
    auto second = openWindow();
    fakes.fileChooser.answers = {std::nullopt};
    childNamed<QPushButton>(*second, u"BitBtn1"_s)->click();
    EXPECT_EQ(fakes.fileChooser.initialFileNames.last(), QString());
    expectFormCloseRan(0);
}

TEST_F(SettingsWindowTest, FirstShowsCentredOnTheScreen)
{
    if (menugeral::test::onWayland())
        GTEST_SKIP() << menugeral::test::kCompositorPlacesWindows;
    auto window = openWindow();
    const QRect screen = host.window.screen()->geometry();
    const QRect outer = window->frameGeometry();
    EXPECT_EQ(outer.topLeft(),
              screen.topLeft() + QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));
}

TEST_F(SettingsWindowTest, KeepsItselfInsideTheMainWindow)
{
    host.window.setGeometry(100, 100, 780, 569);
    auto window = openWindow();
    const QRect main = host.window.frameGeometry(); // the rule works on outer rectangles
    const QPoint placements[] = {{0, 0}, {main.right(), main.bottom()}, {main.left() + 2, main.top() + 16}};
    for (const QPoint &placed : placements) {
        SCOPED_TRACE(testing::PrintToString(placed));
        window->move(placed);
        const QPoint expected = keepInside(window->frameGeometry(), main, {16});
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->frameGeometry().topLeft() == expected; }, 1500));
    }
    EXPECT_EQ(window->frameGeometry().topLeft(), main.topLeft() + QPoint(2, 16)) << "inside by the margins: left alone";
    window->move(0, 0);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window->frameGeometry().topLeft() == main.topLeft() + QPoint(3, 16); }, 1500))
        << "3 px inside the left edge and 16 px below the top";
}

} // namespace
