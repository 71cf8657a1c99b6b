#include "harness/MenuCopy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLocalSocket>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <thread>
#include <unistd.h>

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
    void startAgainAndExpectHandOver(const QProcessEnvironment &extra = {}, const QStringList &unset = {})
    {
        QProcess &again = menu.start(extra, MenuCopy::Errors::Kept, unset);
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

    // The menu's socket in `directory`, named as the guard names it for this desktop.
    QString socketIn(const QString &directory) const
    {
        return directory + u"/menugeral-"_s + QString::number(::geteuid()) + u"-d"_s +
               desktop.environment().value(u"DISPLAY"_s);
    }

    // The guard's lock files anywhere under `places`.
    static QStringList locksUnder(const QStringList &places)
    {
        QStringList locks;
        for (const QString &place : places) {
            QDirIterator found(place, {u"menugeral-*.lock"_s}, QDir::Files | QDir::Hidden,
                               QDirIterator::Subdirectories);
            while (found.hasNext())
                locks << found.next();
        }
        return locks;
    }

    // Ends the menu the ordinary way (as a session's logout does) and waits for it.
    static void endTheMenu(QProcess &running)
    {
        ASSERT_EQ(::kill(pid_t(running.processId()), SIGTERM), 0);
        ASSERT_TRUE(running.waitForFinished(20000)) << "the menu did not end";
        EXPECT_EQ(running.exitStatus(), QProcess::NormalExit);
    }
};

// Asks whoever listens on `socketName` to show itself; the window id it answers.
std::optional<quint64> askToShow(const QString &socketName)
{
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(10000))
        return std::nullopt;
    socket.write("show\n");
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(10000))
        answer += socket.readAll();
    bool ok = false;
    const quint64 id = answer.trimmed().toULongLong(&ok);
    return ok ? std::optional(id) : std::nullopt;
}

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

// Each round starts on what the previous menu left behind when it ended.
TEST_F(OneMenuPerDesktop, TwentyRoundsOfTenSimultaneousStartsLeaveOneMenuEach)
{
    for (int round = 1; round <= 20; ++round) {
        SCOPED_TRACE(round);
        std::vector<QProcess *> starts;
        for (int i = 0; i < 10; ++i)
            starts.push_back(&menu.start());

        ASSERT_TRUE(waitUntil([&] { return menu.runningCount() <= 1; }, 30s)) << "more than one menu kept running";
        ASSERT_TRUE(menu.waitForOneMenuWindow(20s));
        QProcess *running = nullptr;
        for (QProcess *start : starts) {
            if (start->state() != QProcess::NotRunning) {
                running = start;
                continue;
            }
            EXPECT_EQ(start->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(start->exitCode(), 0);
        }
        ASSERT_NE(running, nullptr) << "no start became the menu";
        EXPECT_EQ(menu.menuWindows().size(), 1);
        endTheMenu(*running);
        ASSERT_TRUE(waitUntil([&] { return menu.menuWindows().isEmpty(); }));
    }
}

// Killed before it holds the lock, between lock and socket, or while serving:
// whatever it leaves must not keep the next start from becoming the menu.
TEST_F(OneMenuPerDesktop, MenuKilledAtRandomMomentsNeverBlocksTheNextStart)
{
    const quint32 seed = QRandomGenerator::global()->generate();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    QRandomGenerator random(seed);
    for (int round = 1; round <= 10; ++round) {
        SCOPED_TRACE(round);
        QProcess &killed = menu.start();
        ASSERT_TRUE(killed.waitForStarted(10000));
        // Every other round aims at the start-up, which takes a few hundred milliseconds.
        std::this_thread::sleep_for(std::chrono::milliseconds(random.bounded(round % 2 == 0 ? 300 : 1500)));
        ASSERT_EQ(::kill(pid_t(killed.processId()), SIGKILL), 0);
        ASSERT_TRUE(killed.waitForFinished(10000));
        ASSERT_TRUE(waitUntil([&] { return menu.menuWindows().isEmpty(); }, 10s));

        QProcess &next = menu.start();
        ASSERT_TRUE(menu.waitForOneMenuWindow(20s)) << "the next start did not become the menu";
        EXPECT_EQ(menu.runningCount(), 1);
        next.kill();
        ASSERT_TRUE(next.waitForFinished(10000));
        ASSERT_TRUE(waitUntil([&] { return menu.menuWindows().isEmpty(); }, 10s));
    }
}

// Without a runtime directory of its own the menu uses a private one under the
// home's cache. A missing one may be made by Qt itself before the menu
// looks; either way every start of the desktop must meet in the same place.
TEST_F(OneMenuPerDesktop, UnusableRuntimeDirectoryLeavesBothStartsInOnePlace)
{
    QTemporaryDir foreign;
    ASSERT_TRUE(foreign.isValid());
    constexpr uid_t kNobody = 65534;
    if (::getuid() != 0 || ::chown(QFile::encodeName(foreign.path()).constData(), kNobody, kNobody) != 0)
        GTEST_SKIP() << "another user's folder needs root to make";

    enum class Runtime
    {
        Unset,
        Missing,
        Foreign,
    };
    for (const Runtime runtime : {Runtime::Unset, Runtime::Missing, Runtime::Foreign}) {
        SCOPED_TRACE(int(runtime));
        QTemporaryDir temporary;
        ASSERT_TRUE(temporary.isValid());
        QProcessEnvironment extra;
        extra.insert(u"TMPDIR"_s, temporary.path());
        QStringList unset;
        const QString home = desktop.environment().value(u"HOME"_s);
        QDir(home + u"/.cache"_s).removeRecursively(); // the previous round's lock
        QStringList places{home + u"/.cache"_s, temporary.path() + u"/menugeral-"_s + QString::number(::geteuid())};
        if (runtime == Runtime::Unset) {
            unset << u"XDG_RUNTIME_DIR"_s;
        } else {
            places << (runtime == Runtime::Missing ? temporary.filePath(u"missing"_s) : foreign.path());
            extra.insert(u"XDG_RUNTIME_DIR"_s, places.last());
        }

        QProcess &first = menu.start(extra, MenuCopy::Errors::Forwarded, unset);
        const auto window = menu.waitForOneMenuWindow(20s);
        ASSERT_TRUE(window) << "the menu did not start";
        startAgainAndExpectHandOver(extra, unset);
        EXPECT_EQ(menu.runningCount(), 1);

        // One lock for both starts, and the menu answers on the socket beside it.
        const QStringList locks = locksUnder(places);
        ASSERT_EQ(locks.size(), 1) << "the starts used different places: " << locks.join(u' ').toStdString();
        EXPECT_EQ(askToShow(locks.first().chopped(5)), window);
        if (runtime == Runtime::Foreign) {
            EXPECT_TRUE(
                QDir(foreign.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
                << "a file was made in another user's folder";
        }
        endTheMenu(first);
        ASSERT_TRUE(waitUntil([&] { return menu.menuWindows().isEmpty(); }));
    }
}

// Without a runtime directory, another user who made the menu's folder in the
// temporary directory first (or made it writable by all) must not stop the
// single instance: simultaneous starts still leave one menu.
TEST_F(OneMenuPerDesktop, SquattedTemporaryFolderStillLeavesOneMenu)
{
    constexpr uid_t kNobody = 65534;
    for (const bool anotherUsers : {false, true}) {
        SCOPED_TRACE(anotherUsers ? "another user's folder" : "a folder all may write");
        QTemporaryDir temporary;
        ASSERT_TRUE(temporary.isValid());
        const QString squatted = temporary.path() + u"/menugeral-"_s + QString::number(::geteuid());
        ASSERT_TRUE(QDir().mkdir(squatted));
        ASSERT_EQ(::chmod(QFile::encodeName(squatted).constData(), 0777), 0);
        if (anotherUsers &&
            (::getuid() != 0 || ::chown(QFile::encodeName(squatted).constData(), kNobody, kNobody) != 0))
            continue; // only root can hand a folder to another user
        QProcessEnvironment extra;
        extra.insert(u"TMPDIR"_s, temporary.path());
        const QStringList unset{u"XDG_RUNTIME_DIR"_s};

        std::vector<QProcess *> starts;
        for (int i = 0; i < 6; ++i)
            starts.push_back(&menu.start(extra, MenuCopy::Errors::Forwarded, unset));
        ASSERT_TRUE(waitUntil([&] { return menu.runningCount() <= 1; }, 30s)) << "more than one menu kept running";
        ASSERT_TRUE(menu.waitForOneMenuWindow(20s));
        EXPECT_EQ(menu.menuWindows().size(), 1);
        EXPECT_TRUE(locksUnder({squatted}).isEmpty()) << "the squatted folder was used";
        const auto running =
            std::ranges::find_if(starts, [](QProcess *start) { return start->state() != QProcess::NotRunning; });
        ASSERT_NE(running, starts.end());
        endTheMenu(**running);
        ASSERT_TRUE(waitUntil([&] { return menu.menuWindows().isEmpty(); }));
    }
}

// A name the menu cannot take over (a directory only we could have made in our
// private folder) leaves it unguarded: it starts, and a later start still
// finds its window by class instead of starting a second menu. Another user's
// file there is stale and is replaced.
TEST_F(OneMenuPerDesktop, OccupiedSocketNameDoesNotStopTheMenuNorMakeASecondOne)
{
    const QString socketName = socketIn(desktop.runtimeDirectory());
    struct Case
    {
        const char *name;
        std::function<bool()> occupy;
        bool listens;
    };
    const Case cases[] = {
        {"a directory", [&] { return QDir().mkdir(socketName); }, false},
        {"another user's file",
         [&] {
             QFile file(socketName);
             return file.open(QIODevice::WriteOnly) && ::getuid() == 0 &&
                    ::chown(QFile::encodeName(socketName).constData(), 65534, 65534) == 0;
         },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.occupy()) << "could not occupy the name (the other user's file needs root)";
        QProcess &first = menu.start();
        const auto window = menu.waitForOneMenuWindow(20s);
        ASSERT_TRUE(window) << "the menu did not start";
        EXPECT_EQ(askToShow(socketName).has_value(), c.listens);

        QProcess &again = menu.start();
        ASSERT_TRUE(again.waitForFinished(30000)) << "the second start hung";
        EXPECT_EQ(again.exitCode(), 0);
        EXPECT_EQ(menu.runningCount(), 1) << "a second menu started";
        EXPECT_EQ(menu.menuWindows(), QList<quint64>{*window});
        endTheMenu(first);
        ASSERT_TRUE(waitUntil([&] { return menu.menuWindows().isEmpty(); }));
        QDir().rmdir(socketName);
        QFile::remove(socketName);
    }
}

// Other local programs misbehaving on the menu's socket must not keep a later
// start from being answered.
TEST_F(OneMenuPerDesktop, MisbehavingClientsDoNotStopTheNextStartFromBeingAnswered)
{
    struct Case
    {
        const char *name;
        int clients;
        QByteArray sends;
    };
    static const char garbage[] = "GET / HTTP/1.0\r\n\xff\xfe\0show\n";
    const Case cases[] = {
        {"garbage", 3, QByteArray(garbage, sizeof garbage - 1)},
        {"nothing, more clients than the menu keeps", 16, {}},
        {"100 MiB", 1, QByteArray(100 * 1024 * 1024, 'x')},
    };
    const quint64 window = startFirstMenu();
    ASSERT_NE(window, 0u);
    const QString socketName = socketIn(desktop.runtimeDirectory());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::unique_ptr<QLocalSocket>> clients;
        for (int i = 0; i < c.clients; ++i) {
            auto &client = clients.emplace_back(std::make_unique<QLocalSocket>());
            client->connectToServer(socketName);
            ASSERT_TRUE(client->waitForConnected(10000));
            client->write(c.sends);
        }
        // Whatever the menu takes of the flood, the rest stays with the sender.
        for (auto &client : clients) {
            while (client->state() == QLocalSocket::ConnectedState && client->bytesToWrite() > 0 &&
                   client->waitForBytesWritten(1000)) {
            }
        }

        startAgainAndExpectHandOver();
        expectOneMenuInFront(window);
        // Nobody's request is answered, and the menu lets every one go.
        for (auto &client : clients) {
            if (client->state() == QLocalSocket::ConnectedState) {
                EXPECT_TRUE(client->waitForDisconnected(20000)) << "the menu kept a client that misbehaves";
            }
            EXPECT_FALSE(client->readAll().contains('\n')) << "the menu answered garbage";
        }
    }
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
