#include "harness/MenuCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace menugeral::e2e;

namespace {

// Where the tile of "Gerencial" lies in the menu: its bounds inside the
// modules panel, which lies at 21, 109 in the window.
constexpr QPoint kGerencialTileCentre{21 + 28 + 161 / 2, 109 + 72 + 80 / 2};

class MenuWindow : public MenuOnDesktopTest
{};

// The same menu under each window manager it is tried with.
class MenuOnWindowManager : public MenuOnDesktopTest, public testing::WithParamInterface<const char *>
{
protected:
    QString windowManager() const override { return QString::fromLatin1(GetParam()); }

    // The menu with one module, on screen under this window manager.
    std::optional<quint64> startMenu()
    {
        menu.writeConfiguration({{u"Modulo Gerencial"_s, {}}});
        menu.start();
        return menu.waitForOneMenuWindow();
    }
    void xdotool(const QStringList &arguments) { desktop.run(u"xdotool"_s, arguments); }
};

TEST_F(MenuWindow, TileClickStartsTheConfiguredProgramWithItsArgumentsInItsDirectory)
{
    const QString programDirectory = menu.filePath(u"dir with blanks"_s);
    const auto installed = menu.installProbe(programDirectory);
    ASSERT_TRUE(installed);
    const QString probe = *installed;
    menu.writeConfiguration({{u"Modulo Gerencial"_s, probe + uR"( --flag "two words")"_s}});
    const QString log = menu.probeLog();

    menu.start(menu.probeEnvironment());
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window) << "the menu never came on screen";
    desktop.click(*window, kGerencialTileCentre);

    ASSERT_TRUE(waitUntil([&] { return QFileInfo(log).size() > 0; })) << "the click started nothing";
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 1);
    const QJsonObject run = QJsonDocument::fromJson(lines.first()).object();
    EXPECT_EQ(run.value(u"program"_s).toString(), QFileInfo(probe).canonicalFilePath());
    EXPECT_EQ(run.value(u"cwd"_s).toString(), QFileInfo(programDirectory).canonicalFilePath());
    EXPECT_EQ(run.value(u"args"_s).toArray().toVariantList(), (QVariantList{u"--flag"_s, u"two words"_s}));
}

TEST_F(MenuWindow, RestingOnATileShowsItsBalloonUntilThePointerLeaves)
{
    menu.writeConfiguration({{u"Modulo Gerencial"_s, {}}});
    menu.start();
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);
    const QList<quint64> before = desktop.visibleWindowsOfClass(kMenuClass);

    desktop.pointAt(*window, kGerencialTileCentre);
    // The balloon is one more window of the menu's own, its stem at the pointer.
    quint64 balloon = 0;
    ASSERT_TRUE(waitUntil([&] {
        for (const quint64 shown : desktop.visibleWindowsOfClass(kMenuClass)) {
            if (!before.contains(shown))
                balloon = shown;
        }
        return balloon != 0;
    })) << "no balloon came up";
    const QPoint pointer = desktop.geometry(*window).topLeft() + kGerencialTileCentre;
    EXPECT_TRUE(desktop.geometry(balloon).adjusted(-1, -1, 1, 1).contains(pointer));
    // Coming up under the pointer must not count as the pointer leaving.
    QThread::msleep(500);
    EXPECT_TRUE(desktop.isViewable(balloon)) << "the balloon went away by itself";

    desktop.pointAt(*window, QPoint(8, 300)); // the background's margin: no hint there
    EXPECT_TRUE(waitUntil([&] { return !desktop.isViewable(balloon); })) << "the balloon stayed after the pointer left";
}

TEST_P(MenuOnWindowManager, TheMenuFollowsThePointerOnlyWhileTheButtonThatDragsItIsHeld)
{
    const auto window = startMenu();
    ASSERT_TRUE(window);
    auto pointerBy = [&](int dx, int dy) {
        xdotool({u"mousemove_relative"_s, u"--sync"_s, u"--"_s, QString::number(dx), QString::number(dy)});
    };

    for (const QString &button : {u"1"_s, u"2"_s, u"3"_s}) {
        SCOPED_TRACE("button " + button.toStdString());
        const QPoint start = desktop.geometry(*window).topLeft();
        desktop.pointAt(*window, QPoint(8, 300)); // the background's margin
        xdotool({u"mousedown"_s, button});
        for (int step = 0; step < 4; ++step)
            pointerBy(10, -5);
        // Buttons 2 and 3 move the window from the press on. The window
        // manager's move (the left button) starts once the pointer has gone the
        // drag distance, and from then on the window keeps up with the pointer.
        if (button != u"1") {
            EXPECT_TRUE(waitUntil([&] { return desktop.geometry(*window).topLeft() == start + QPoint(40, -20); }))
                << "the menu did not follow the pointer";
        } else {
            ASSERT_TRUE(waitUntil([&] { return desktop.geometry(*window).topLeft() != start; }))
                << "the menu did not follow the pointer";
            const QPoint moving = desktop.geometry(*window).topLeft();
            pointerBy(60, -30);
            EXPECT_TRUE(waitUntil([&] {
                const QPoint moved = desktop.geometry(*window).topLeft() - moving;
                return moved.x() >= 60 && moved.y() <= -30;
            })) << "the menu does not keep up with the pointer";
        }
        xdotool({u"mouseup"_s, button});

        const QPoint released = desktop.geometry(*window).topLeft();
        pointerBy(60, 40);
        EXPECT_FALSE(waitUntil([&] { return desktop.geometry(*window).topLeft() != released; }, 1s))
            << "the menu still follows the pointer after the button was released";
    }
}

TEST_F(MenuWindow, EscapeClosesTheMenuWithExitCodeZero)
{
    menu.writeConfiguration({{u"Modulo Gerencial"_s, {}}});
    QProcess &process = menu.start();
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);

    desktop.key(*window, u"Escape"_s);
    ASSERT_TRUE(process.waitForFinished(5000)) << "Escape did not close the menu";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

TEST_F(MenuWindow, FirstStartWithoutConfigurationWarnsBeforeTheMenuShows)
{
    QProcess &process = menu.start();
    QList<quint64> boxes;
    ASSERT_TRUE(waitUntil([&] { return !(boxes = desktop.visibleWindowsTitled(kWarningCaption)).isEmpty(); }, 10s))
        << "no warning about the missing configuration";
    EXPECT_TRUE(menu.menuWindows().isEmpty()) << "the menu showed before its warning was answered";
    EXPECT_FALSE(QFileInfo::exists(menu.filePath(u"configuracoes.ini"_s))) << "the warning must not create the file";

    desktop.key(boxes.first(), u"Return"_s);
    EXPECT_TRUE(menu.waitForOneMenuWindow()) << "the menu did not follow its warning";
    EXPECT_EQ(process.state(), QProcess::Running);
}

// A press whose release comes at once (a tap, a remote-desktop link, a menu
// busy for a moment) must leave no move behind: the menu stays where it is
// and the keyboard still reaches it.
TEST_P(MenuOnWindowManager, APressReleasedAtOnceLeavesNoMoveBehind)
{
    const auto window = startMenu();
    ASSERT_TRUE(window);

    struct Case
    {
        const char *what;
        QStringList events; // sent in one go, no pause between them
    };
    const Case cases[] = {
        {"press and release", {u"mousedown"_s, u"1"_s, u"mouseup"_s, u"1"_s}},
        {"press, a move past the drag distance, release",
         {u"mousedown"_s, u"1"_s, u"mousemove_relative"_s, u"--"_s, u"30"_s, u"20"_s, u"mouseup"_s, u"1"_s}},
    };
    for (const Case &tried : cases) {
        SCOPED_TRACE(tried.what);
        desktop.pointAt(*window, QPoint(8, 300)); // the background's margin
        const QPoint before = desktop.geometry(*window).topLeft();
        xdotool(tried.events);
        xdotool({u"mousemove_relative"_s, u"--sync"_s, u"--"_s, u"60"_s, u"40"_s});
        EXPECT_FALSE(waitUntil([&] { return desktop.geometry(*window).topLeft() != before; }, 1s))
            << "the menu moved with no button held";

        desktop.key(*window, u"F12"_s);
        QList<quint64> dialogs;
        EXPECT_TRUE(waitUntil([&] {
            return !(dialogs = desktop.visibleWindowsTitled(u"Autoriza\u00e7\u00e3o para acesso"_s)).isEmpty();
        })) << "F12 did not reach the menu";
        if (!dialogs.isEmpty()) {
            desktop.key(dialogs.first(), u"Escape"_s);
            EXPECT_TRUE(waitUntil([&] { return !desktop.isViewable(dialogs.first()); }));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(, MenuOnWindowManager, testing::Values("openbox", "xfwm4"));

} // namespace
