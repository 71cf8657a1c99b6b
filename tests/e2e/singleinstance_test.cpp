#include "harness/MenuCopy.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;
using namespace menugeral::e2e;

namespace {

class OneMenuPerDesktop : public MenuOnDesktopTest
{
protected:
    void SetUp() override
    {
        MenuOnDesktopTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        menu.writeConfiguration({{u"Modulo Gerencial"_s, {}}});
    }

    // Starts the menu and waits for its window.
    quint64 startFirstMenu()
    {
        menu.start();
        const auto window = menu.waitForOneMenuWindow();
        EXPECT_TRUE(window) << "the first menu never came on screen";
        return window.value_or(0);
    }

    // A later start, which must be answered by the running menu and end with code 0.
    void startAgainAndExpectHandOver()
    {
        QProcess &again = menu.start({}, MenuCopy::Errors::Kept);
        ASSERT_TRUE(again.waitForFinished(30000)) << "the second start kept running";
        EXPECT_EQ(again.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(again.exitCode(), 0);
        EXPECT_FALSE(again.readAllStandardError().contains("did not answer")) << "the running menu did not answer";
    }

    void expectOneMenuInFront(quint64 window)
    {
        EXPECT_TRUE(waitUntil([&] { return desktop.state(window) == WindowState::Normal; }))
            << "the menu was not shown normally";
        EXPECT_TRUE(waitUntil([&] { return desktop.isViewable(window); })) << "the menu is not on screen";
        EXPECT_TRUE(waitUntil([&] { return desktop.activeWindow() == window; })) << "the menu is not the active window";
        EXPECT_EQ(menu.menuWindows(), QList<quint64>{window});
        EXPECT_EQ(menu.runningCount(), 1);
    }
};

TEST_F(OneMenuPerDesktop, SecondStartEndsAtOnceAndLeavesOneMenu)
{
    const quint64 window = startFirstMenu();
    ASSERT_NE(window, 0u);
    startAgainAndExpectHandOver();
    expectOneMenuInFront(window);
}

TEST_F(OneMenuPerDesktop, MinimisedMenuIsRestoredByASecondStart)
{
    const quint64 window = startFirstMenu();
    ASSERT_NE(window, 0u);
    desktop.minimise(window);
    ASSERT_TRUE(waitUntil([&] { return desktop.state(window) == WindowState::Iconic; }));

    startAgainAndExpectHandOver();
    expectOneMenuInFront(window);
}

TEST_F(OneMenuPerDesktop, HiddenMenuIsShownAgainByASecondStart)
{
    const quint64 window = startFirstMenu();
    ASSERT_NE(window, 0u);
    desktop.unmap(window);
    ASSERT_TRUE(waitUntil([&] { return !desktop.isViewable(window); }));

    startAgainAndExpectHandOver();
    expectOneMenuInFront(window);
}

TEST_F(OneMenuPerDesktop, KilledMenuDoesNotBlockTheNextStart)
{
    QProcess &killed = menu.start();
    ASSERT_TRUE(menu.waitForOneMenuWindow());
    killed.kill(); // SIGKILL: the menu cannot clean up
    ASSERT_TRUE(killed.waitForFinished(5000));
    ASSERT_TRUE(waitUntil([&] { return menu.menuWindows().isEmpty(); }));

    const quint64 window = startFirstMenu();
    ASSERT_NE(window, 0u) << "the leftovers of the killed menu blocked the next start";
    // And the new menu guards the desktop again.
    startAgainAndExpectHandOver();
    expectOneMenuInFront(window);
}

TEST_F(OneMenuPerDesktop, StuckMenuGetsNoSecondMenuAndTheLaterStartSaysSo)
{
    QProcess &stuck = menu.start();
    ASSERT_TRUE(menu.waitForOneMenuWindow());
    ASSERT_EQ(::kill(pid_t(stuck.processId()), SIGSTOP), 0); // holds the lock, answers nothing
    struct Resume
    {
        QProcess &process;
        ~Resume() { ::kill(pid_t(process.processId()), SIGCONT); }
    } resume{stuck};

    QProcess &again = menu.start({}, MenuCopy::Errors::Kept);
    ASSERT_TRUE(again.waitForFinished(30000)) << "the later start hung";
    EXPECT_EQ(again.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(again.exitCode(), 0);
    EXPECT_TRUE(again.readAllStandardError().contains("did not answer"));
    EXPECT_EQ(menu.runningCount(), 1);
}

TEST_F(OneMenuPerDesktop, MenuEndedBySignalLeavesNothingBehind)
{
    const QDir runtime(desktop.runtimeDirectory());
    for (const int signalNumber : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        QProcess &ended = menu.start();
        ASSERT_TRUE(menu.waitForOneMenuWindow());
        EXPECT_FALSE(runtime.entryList({u"menugeral-*"_s}, QDir::System | QDir::Files).isEmpty());
        ASSERT_EQ(::kill(pid_t(ended.processId()), signalNumber), 0);
        ASSERT_TRUE(ended.waitForFinished(5000));
        EXPECT_EQ(ended.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(ended.exitCode(), 0);
        // Only the lock's file stays behind, free: the socket goes with the menu.
        const QStringList left = runtime.entryList({u"menugeral-*"_s}, QDir::System | QDir::Files);
        EXPECT_EQ(left.size(), 1);
        EXPECT_TRUE(left.value(0).endsWith(u".lock"_s)) << left.join(u' ').toStdString();
    }
}

// The warning about a missing file runs an event loop of its own while the
// window is being made; a request to end must not be lost in it.
TEST_F(OneMenuPerDesktop, MenuEndedWhileItsStartUpWarningIsOpenLeaves)
{
    ASSERT_TRUE(QFile::remove(menu.filePath(u"configuracoes.ini"_s)));
    QProcess &ended = menu.start();
    ASSERT_TRUE(waitUntil([&] { return !desktop.visibleWindowsTitled(kWarningCaption).isEmpty(); }, 10s));
    ASSERT_EQ(::kill(pid_t(ended.processId()), SIGTERM), 0);
    ASSERT_TRUE(ended.waitForFinished(10000)) << "the menu went on after the warning";
    EXPECT_EQ(ended.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(ended.exitCode(), 0);
}

TEST_F(OneMenuPerDesktop, TenSimultaneousStartsLeaveOneMenu)
{
    std::vector<QProcess *> starts;
    for (int i = 0; i < 10; ++i)
        starts.push_back(&menu.start());

    ASSERT_TRUE(waitUntil([&] { return menu.runningCount() <= 1; }, 20s)) << "more than one menu kept running";
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);
    int handedOver = 0;
    for (QProcess *start : starts) {
        if (start->state() == QProcess::NotRunning) {
            EXPECT_EQ(start->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(start->exitCode(), 0);
            ++handedOver;
        }
    }
    EXPECT_EQ(handedOver, 9);
    EXPECT_EQ(menu.runningCount(), 1);
    EXPECT_EQ(menu.menuWindows().size(), 1);
}

TEST_F(OneMenuPerDesktop, WindowOfTheMenusClassInAnotherProgramIsActivatedInstead)
{
    // Another program whose window carries the menu's class, minimised or
    // hidden (withdrawn: the window manager no longer lists it).
    struct Case
    {
        const char *name;
        WindowState hidden;
    };
    for (const Case &c : {Case{"minimised", WindowState::Iconic}, Case{"withdrawn", WindowState::Withdrawn}}) {
        SCOPED_TRACE(c.name);
        QProcess other;
        other.setProcessEnvironment(desktop.environment());
        other.start(QStringLiteral(MENUGERAL_BIN_DIR) + u"/modulo-demo"_s, {});
        QList<quint64> windows;
        ASSERT_TRUE(waitUntil([&] { return (windows = desktop.managedWindowsOfClass("modulo-demo")).size() == 1; }))
            << "the other program never came on screen";
        const quint64 window = windows.first();
        desktop.setWindowClass(window, QString::fromLatin1(kMenuClass));
        if (c.hidden == WindowState::Iconic)
            desktop.minimise(window);
        else
            desktop.unmap(window);
        ASSERT_TRUE(waitUntil([&] { return desktop.state(window) == c.hidden; }));

        QProcess &start = menu.start();
        ASSERT_TRUE(start.waitForFinished(5000)) << "the menu started although a window of its class exists";
        EXPECT_EQ(start.exitCode(), 0);
        EXPECT_TRUE(waitUntil([&] { return desktop.state(window) == WindowState::Normal; }));
        EXPECT_TRUE(waitUntil([&] { return desktop.activeWindow() == window; }));
        EXPECT_EQ(desktop.managedWindowsOfClass(kMenuClass), QList<quint64>{window});

        other.kill();
        other.waitForFinished();
    }
}

} // namespace
