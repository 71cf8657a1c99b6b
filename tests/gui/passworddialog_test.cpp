#include "Fakes.h"
#include "QtPrinters.h"
#include "SettingsTestSupport.h"
#include "TempDir.h"
#include "WaylandLimits.h"
#include "core/WindowPlacement.h"
#include "settings/UnitMenuGeralConfiguracoesFrm.h"
#include "settings/UnitMenuGeralConfiguracoesSenhaFrm.h"
#include "widgets/Fonts.h"
#include "widgets/PictureBox.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

const QString kWrongPassword = u"Senha Inv\u00e1lida !"_s;

class PasswordDialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { installFontSubstitutions(); }

    void SetUp() override { dialog = std::make_unique<TfrmConfiguracoesSenha>(fakes.services, host); }

    void TearDown() override
    {
        dialog.reset();
        for (QWidget *window : QApplication::topLevelWidgets())
            EXPECT_TRUE(window == &host.window || !window->isVisible())
                << "left open: " << window->objectName().toStdString();
    }

    QLineEdit *edtSenha() { return childNamed<QLineEdit>(*dialog, u"edtSenha"_s); }
    QPushButton *button(const QString &name) { return childNamed<QPushButton>(*dialog, name); }

    // Runs the dialog modally with `whileOpen` acting inside its loop.
    int runModal(std::function<void()> whileOpen)
    {
        ModalWatchdog watchdog;
        whenIdle(std::move(whileOpen));
        return dialog->exec();
    }

    TempDir dir;
    FakeServices fakes{dir.path()};
    FakeSettingsHost host;
    std::unique_ptr<TfrmConfiguracoesSenha> dialog;
};

TEST_F(PasswordDialogTest, LooksAsLaidOut)
{
    EXPECT_EQ(dialog->windowTitle(), u"Autoriza\u00e7\u00e3o para acesso"_s);
    EXPECT_EQ(dialog->minimumSize(), QSize(258, 152));
    EXPECT_EQ(dialog->maximumSize(), QSize(258, 152));
    const Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(dialog->font().family(), u"MS Sans Serif"_s);
    EXPECT_EQ(dialog->font().pixelSize(), 11);
    EXPECT_EQ(dialog->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Button));

    auto *title = childNamed<QLabel>(*dialog, u"Label2"_s);
    expectSizedLabel(*title, {16, 9}, 22, u"Acesso \u00e0s Configura\u00e7\u00f5es"_s);
    EXPECT_EQ(title->font().family(), u"Arial"_s);
    EXPECT_EQ(title->font().pixelSize(), 19);
    EXPECT_FALSE(title->font().bold());
    expectSizedLabel(*childNamed<QLabel>(*dialog, u"Label1"_s), {56, 57}, 13, u"Senha"_s);

    struct Row
    {
        const char16_t *name;
        QRect bounds;
        const char16_t *text;
        const char16_t *hint;
    };
    const Row rows[] = {
        {u"Image1", {8, 49, 41, 41}, u"", u""},
        {u"edtSenha", {56, 73, 177, 21}, u"", u"Digite aqui a senha de acesso"},
        {u"bitCancelar", {137, 113, 109, 25}, u"&Cancelar", u"Cancela o acesso \u00e0s configura\u00e7\u00f5es"},
        {u"bitOk", {8, 113, 109, 25}, u"&Ok", u"Confirma o acesso \u00e0s configura\u00e7\u00f5es"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(QString::fromUtf16(row.name).toStdString());
        auto *widget = childNamed<QWidget>(*dialog, QString::fromUtf16(row.name));
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->geometry(), row.bounds);
        EXPECT_EQ(widget->toolTip(), QString::fromUtf16(row.hint));
        if (auto *pushButton = qobject_cast<QPushButton *>(widget)) {
            EXPECT_EQ(pushButton->text(), QString::fromUtf16(row.text));
            EXPECT_FALSE(pushButton->icon().isNull()) << "a glyph beside the caption";
        }
    }
    EXPECT_EQ(edtSenha()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edtSenha()->maxLength(), QLineEdit().maxLength()) << "no length limit of its own";
    EXPECT_TRUE(button(u"bitOk"_s)->isDefault());
    EXPECT_FALSE(button(u"bitCancelar"_s)->isDefault());
    EXPECT_EQ(childNamed<PictureBox>(*dialog, u"Image1"_s)->placement(), PictureBox::Placement::TopLeft);
}

TEST_F(PasswordDialogTest, ShowsTheLargestUsersImageThatFitsItsBox)
{
    if (!QFile::exists(u":/settings/users.ico"_s))
        GTEST_SKIP() << "the users icon is not in the artwork yet";
    const QImage &picture = childNamed<PictureBox>(*dialog, u"Image1"_s)->picture();
    EXPECT_EQ(picture.size(), QSize(32, 32)) << "48 px does not fit the 41 px box; 16 px is smaller than 32";
    // Only the true-colour image has soft edges; the 16 and 256 colour ones
    // are either opaque or transparent.
    const QImage &image = picture;
    int softEdges = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            softEdges += alpha > 0 && alpha < 255 ? 1 : 0;
        }
    }
    EXPECT_GT(softEdges, 0) << "the true-colour image, not the 16 or 256 colour one";
}

TEST_F(PasswordDialogTest, OpensInThePasswordFieldAndTabsToCancelBeforeOk)
{
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    EXPECT_EQ(tabWalk(*dialog, 4), (QStringList{u"edtSenha"_s, u"bitCancelar"_s, u"bitOk"_s, u"edtSenha"_s}));
}

// The rows inside a field's frame that hold ink. Qt centres a password's
// line by the hidden text's height, which with some font engines moves the
// asterisks a pixel away from where the same asterisks as plain text stand.
QImage textRows(QLineEdit &field)
{
    const QImage image = field.grab().toImage();
    const QRect inside = image.rect().adjusted(3, 3, -3, -3);
    const QRgb ground = image.pixel(inside.right(), inside.center().y());
    int first = -1;
    int last = -1;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixel(x, y) != ground) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return first < 0 ? QImage() : image.copy(inside.left(), first, inside.width(), last - first + 1);
}

TEST_F(PasswordDialogTest, TypedLettersBecomeCapitalsAndShowAsAsterisks)
{
    dialog->show();
    ASSERT_TRUE(menugeral::test::waitUntilActive(dialog.get()));
    QLineEdit *edit = edtSenha();
    QTest::keyClicks(edit, u"tbx7341"_s);
    EXPECT_EQ(edit->text(), u"TBX7341"_s);
    EXPECT_EQ(edit->displayText(), u"*******"_s);

    // A letter typed in the middle is turned where it stands; the cursor stays behind it.
    edit->setCursorPosition(3);
    QTest::keyClick(edit, Qt::Key_Q);
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, u"\u00e7"_s, Qt::NoModifier);
    EXPECT_EQ(edit->text(), u"TBXQ\u00c77341"_s);
    EXPECT_EQ(edit->cursorPosition(), 5);
    EXPECT_EQ(edit->displayText(), u"*********"_s);

    // What is painted is the asterisks, as a plain field holding them paints them.
    QLineEdit reference(u"*********"_s, dialog.get());
    reference.setGeometry(edit->geometry());
    if (menugeral::test::onWayland())
        GTEST_SKIP() << menugeral::test::kNoActiveWindow << ", so the field keeps its text cursor";
    button(u"bitOk"_s)->setFocus(); // no text cursor in either
    EXPECT_EQ(textRows(*edit), textRows(reference));
}

TEST_F(PasswordDialogTest, WrongPasswordsAreRefusedWithAWarningAndTheDialogStaysOpen)
{
    // Typed text, and what the field then holds.
    const std::pair<QString, QString> attempts[] = {
        {u""_s, u""_s},
        {u" tbx7341"_s, u" TBX7341"_s},
        {u"tbx7341 "_s, u"TBX7341 "_s},
        {u"tbx73411"_s, u"TBX73411"_s},
        {u"tbx734"_s, u"TBX734"_s},
        {u"tbx 7341"_s, u"TBX 7341"_s},
    };
    const int result = runModal([&] {
        for (const auto &[typed, held] : attempts) {
            SCOPED_TRACE(typed.toStdString());
            const qsizetype before = fakes.notifier.boxes.size();
            edtSenha()->clear();
            QTest::keyClicks(edtSenha(), typed);
            QTest::mouseClick(button(u"bitOk"_s), Qt::LeftButton); // takes the focus away from the field
            ASSERT_EQ(fakes.notifier.boxes.size(), before + 1);
            EXPECT_EQ(fakes.notifier.boxes.last().kind, RecordingNotifier::Box::Warning);
            EXPECT_EQ(fakes.notifier.boxes.last().text, kWrongPassword);
            EXPECT_EQ(dialog->focusWidget(), edtSenha());
            EXPECT_EQ(edtSenha()->text(), held);
            EXPECT_TRUE(dialog->isVisible());
        }
        button(u"bitCancelar"_s)->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(host.reloads, 0) << "no settings window was opened";
}

TEST_F(PasswordDialogTest, TenWrongAttemptsGiveTenWarnings)
{
    runModal([&] {
        QTest::keyClicks(edtSenha(), u"senha"_s);
        for (int i = 0; i < 10; ++i)
            QTest::keyClick(edtSenha(), Qt::Key_Return);
        EXPECT_EQ(fakes.notifier.warnings(), QStringList(10, kWrongPassword));
        EXPECT_TRUE(dialog->isVisible());
        button(u"bitCancelar"_s)->click();
    });
}

// How a test closes the settings window.
struct SettingsClose
{
    const char *how;
    std::function<void(TfrmConfiguracoes &)> close;
    bool writesTheFile;

    friend void PrintTo(const SettingsClose &c, std::ostream *out) { *out << c.how; }
};

class RightPasswordTest : public PasswordDialogTest, public ::testing::WithParamInterface<SettingsClose>
{};

TEST_P(RightPasswordTest, RunsTheSettingsWindowInsteadAndEndsWhenItCloses)
{
    bool settingsSeen = false;
    runModal([&] {
        QTest::keyClicks(edtSenha(), u"tbx7341"_s);
        whenIdle([&] {
            auto *settings = qobject_cast<TfrmConfiguracoes *>(QApplication::activeModalWidget());
            ASSERT_NE(settings, nullptr) << "the settings window is shown modally";
            settingsSeen = true;
            EXPECT_FALSE(dialog->isVisible()) << "the dialog is hidden while the settings window runs";
            EXPECT_EQ(settings->configFileName(), QDir::toNativeSeparators(dir.filePath(u"configuracoes.ini"_s)));
            GetParam().close(*settings);
        });
        QTest::keyClick(edtSenha(), Qt::Key_Return);
    });
    // exec() has returned: the settings window closed the dialog on its way out.
    EXPECT_TRUE(settingsSeen);
    EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
    EXPECT_EQ(host.reloads, 1);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(QFile::exists(dir.filePath(u"configuracoes.ini"_s)), GetParam().writesTheFile);
    const QWidgetList windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(windows.begin(), windows.end(), [](QWidget *w) {
        return qobject_cast<TfrmConfiguracoes *>(w) != nullptr;
    })) << "the settings window was destroyed";
}

INSTANTIATE_TEST_SUITE_P(
    EveryWayOfClosing, RightPasswordTest,
    ::testing::Values(
        SettingsClose{"Cancelar", [](TfrmConfiguracoes &w) { w.findChild<QPushButton *>(u"bitCancelar"_s)->click(); },
                      false},
        SettingsClose{"Escape", [](TfrmConfiguracoes &w) { QTest::keyClick(w.focusWidget(), Qt::Key_Escape); }, false},
        SettingsClose{"CloseBox", [](TfrmConfiguracoes &w) { w.close(); }, false},
        SettingsClose{"Salvar", [](TfrmConfiguracoes &w) { QTest::keyClick(w.focusWidget(), Qt::Key_Return); }, true}),
    [](const auto &test) { return std::string(test.param.how); });

// A key pressed with the focus on a given widget, and whether it closes the
// dialog (the cancel button) or checks the password (the default button).
struct KeyCase
{
    const char *name;
    const char16_t *focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool closes;

    friend void PrintTo(const KeyCase &c, std::ostream *out) { *out << c.name; }
};

class PasswordDialogKeyTest : public PasswordDialogTest, public ::testing::WithParamInterface<KeyCase>
{};

TEST_P(PasswordDialogKeyTest, PressesTheDefaultOrTheCancelButton)
{
    const KeyCase &c = GetParam();
    if (c.modifiers.testFlag(Qt::AltModifier) && menugeral::test::onWayland())
        GTEST_SKIP() << menugeral::test::kNoActiveWindow << ", so window-wide shortcuts cannot fire";
    const int result = runModal([&] {
        ASSERT_TRUE(menugeral::test::waitUntilActive(dialog.get()));
        QWidget *focus = childNamed<QWidget>(*dialog, QString::fromUtf16(c.focus));
        focus->setFocus();
        QTest::keyClick(focus, c.key, c.modifiers);
        // Alt plus a letter clicks after the button's short press animation.
        const bool acted =
            QTest::qWaitFor([&] { return !dialog->isVisible() || !fakes.notifier.boxes.isEmpty(); }, 1000);
        EXPECT_TRUE(acted) << "the key did nothing";
        if (dialog->isVisible())
            button(u"bitCancelar"_s)->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(fakes.notifier.warnings(), c.closes ? QStringList() : QStringList{kWrongPassword});
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PasswordDialogKeyTest,
    ::testing::Values(KeyCase{"EnterInField", u"edtSenha", Qt::Key_Return, Qt::NoModifier, false},
                      KeyCase{"KeypadEnterInField", u"edtSenha", Qt::Key_Enter, Qt::KeypadModifier, false},
                      KeyCase{"EnterOnOk", u"bitOk", Qt::Key_Return, Qt::NoModifier, false},
                      KeyCase{"EnterOnCancel", u"bitCancelar", Qt::Key_Return, Qt::NoModifier, true},
                      KeyCase{"EscapeInField", u"edtSenha", Qt::Key_Escape, Qt::NoModifier, true},
                      KeyCase{"EscapeOnOk", u"bitOk", Qt::Key_Escape, Qt::NoModifier, true},
                      KeyCase{"EscapeOnCancel", u"bitCancelar", Qt::Key_Escape, Qt::NoModifier, true},
                      KeyCase{"AltO", u"edtSenha", Qt::Key_O, Qt::AltModifier, false},
                      KeyCase{"AltC", u"edtSenha", Qt::Key_C, Qt::AltModifier, true}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(PasswordDialogTest, EscapeRunsTheCancelHandlerAndTheCloseBoxClosesLikeIt)
{
    int cancelClicks = 0;
    QObject::connect(button(u"bitCancelar"_s), &QPushButton::clicked, [&] { ++cancelClicks; });
    EXPECT_EQ(runModal([&] { QTest::keyClick(edtSenha(), Qt::Key_Escape); }), QDialog::Rejected);
    EXPECT_EQ(cancelClicks, 1);

    EXPECT_EQ(runModal([&] { dialog->close(); }), QDialog::Rejected);
    EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
    EXPECT_EQ(host.reloads, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(u"configuracoes.ini"_s)));
}

TEST_F(PasswordDialogTest, FirstShowsCentredOnTheMainWindowsScreen)
{
    if (menugeral::test::onWayland())
        GTEST_SKIP() << menugeral::test::kCompositorPlacesWindows;
    dialog->show();
    const QRect screen = host.window.screen()->geometry();
    const QRect outer = dialog->frameGeometry();
    EXPECT_EQ(outer.topLeft(),
              screen.topLeft() + QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));
}

TEST_F(PasswordDialogTest, KeepsItselfInsideTheMainWindowEvenWhileHidden)
{
    host.window.setGeometry(200, 150, 780, 569);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));

    const QRect main = host.window.frameGeometry(); // the rule works on outer rectangles
    const QPoint placements[] = {{0, 0}, {main.right(), main.bottom()}, {main.left() + 2, main.top() + 22}};
    for (const QPoint &placed : placements) {
        SCOPED_TRACE(testing::PrintToString(placed));
        dialog->move(placed);
        const QPoint expected = keepInside(dialog->frameGeometry(), main, {22});
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->frameGeometry().topLeft() == expected; }, 1000));
        QTest::qWait(150); // a few more ticks change nothing
        EXPECT_EQ(dialog->frameGeometry().topLeft(), expected);
    }
    EXPECT_EQ(dialog->frameGeometry().topLeft(), main.topLeft() + QPoint(2, 22)) << "inside by the margins";

    dialog->hide();
    dialog->move(0, 0);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return dialog->frameGeometry().topLeft() == main.topLeft() + QPoint(3, 22); }, 1000));
}

} // namespace
