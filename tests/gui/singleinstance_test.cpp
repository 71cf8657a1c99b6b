#include "TempDir.h"
#include "app/SingleInstanceGuard.h"
#include "system/InstanceAddress.h"
#include "system/InstanceLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using menugeral::InstanceAddress;
using menugeral::instanceAddressFor;
using menugeral::InstanceLock;
using menugeral::SingleInstanceGuard;
using menugeral::test::TempDir;
using Claim = SingleInstanceGuard::Claim;

namespace {

// Unbuffered, so the parent sees each line at once.
void tell(QByteArrayView line)
{
    ASSERT_EQ(std::fwrite(line.data(), 1, size_t(line.size()), stdout), size_t(line.size()));
    std::fflush(stdout);
}

InstanceAddress addressIn(const TempDir &dir)
{
    return *instanceAddressFor(dir.path(), {dir.path()}, u":7"_s);
}

// A later start on a thread of its own, so that this thread's event loop can
// let the first guard answer, as the running menu's loop would.
Claim startLater(const InstanceAddress &address, const QByteArray &token = {})
{
    Claim result = Claim::Unguarded;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        SingleInstanceGuard guard(address);
        guard.setActivationToken(token);
        result = guard.claim();
    }));
    thread->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 10000));
    thread->wait();
    return result;
}

// Runs the disabled helper below in a child process that holds the guard.
class GuardHolder
{
public:
    explicit GuardHolder(const QString &directory)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"MENUGERAL_GUARD_TEST_DIR"_s, directory);
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QCoreApplication::applicationFilePath(),
                        {u"--gtest_also_run_disabled_tests"_s,
                         u"--gtest_filter=SingleInstanceGuardHolder.DISABLED_HoldsTheGuardUntilKilled"_s});
    }
    ~GuardHolder()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    // The text of a line, without its end: Windows writes "\r\n".
    bool waitForLine(QByteArrayView line)
    {
        QElapsedTimer timer;
        timer.start();
        while (!m_output.contains(line) && timer.elapsed() < 10000) {
            m_process.waitForReadyRead(100);
            m_output += m_process.readAllStandardOutput();
            if (m_process.state() == QProcess::NotRunning)
                break;
        }
        return m_output.contains(line);
    }

    QProcess &process() { return m_process; }

private:
    QProcess m_process;
    QByteArray m_output;
};

TEST(SingleInstanceGuard, FirstStartWinsAndEveryLaterStartReachesItWithItsToken)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    SingleInstanceGuard first(address);
    ASSERT_EQ(first.claim(), Claim::FirstInstance);
    QSignalSpy activations(&first, &SingleInstanceGuard::activationRequested);

    struct Start
    {
        const char *what;
        QByteArray token;
        QByteArray handedOver;
    };
    const Start starts[] = {
        {"no token", {}, {}},
        {"a token", "weston-42_TIME7 x/y", "weston-42_TIME7 x/y"},
        {"a token with a line break is left out", "a\nshow", {}},
        {"a token too long to send is left out", QByteArray(600, 't'), {}},
    };
    for (const Start &start : starts) {
        SCOPED_TRACE(start.what);
        activations.clear();
        EXPECT_EQ(startLater(address, start.token), Claim::AnotherInstanceRuns);
        ASSERT_TRUE(QTest::qWaitFor([&] { return activations.size() == 1; }, 5000));
        EXPECT_EQ(activations.first().first().toByteArray(), start.handedOver);
    }
}

// A start that only asks (before it has a windowing application) reaches a
// running menu like claim() does, and otherwise leaves no lock file and no
// lock behind.
TEST(SingleInstanceGuard, AskingReachesARunningMenuAndOtherwiseLeavesTheGuardAlone)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    EXPECT_EQ(SingleInstanceGuard(address).askRunningMenu(), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(address.lockFileName)) << "asking made the lock file";
    {
        SingleInstanceGuard first(address);
        ASSERT_EQ(first.claim(), Claim::FirstInstance);
        QSignalSpy activations(&first, &SingleInstanceGuard::activationRequested);
        std::optional<Claim> asked;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            SingleInstanceGuard later(address);
            later.setActivationToken("token-1");
            asked = later.askRunningMenu();
        }));
        thread->start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 10000));
        thread->wait();
        EXPECT_EQ(asked, Claim::AnotherInstanceRuns);
        ASSERT_EQ(activations.size(), 1);
        EXPECT_EQ(activations.first().first().toByteArray(), "token-1");
    }
    // The closed menu's lock file stays behind, free: asking leaves it free.
    EXPECT_EQ(SingleInstanceGuard(address).askRunningMenu(), std::nullopt);
    EXPECT_EQ(SingleInstanceGuard(address).claim(), Claim::FirstInstance);
}

TEST(SingleInstanceGuard, RequestsThatAreNotOursGetNoAnswerAndShowNothing)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    SingleInstanceGuard first(address);
    ASSERT_EQ(first.claim(), Claim::FirstInstance);
    QSignalSpy activations(&first, &SingleInstanceGuard::activationRequested);
    const QByteArray requests[] = {"\n",
                                   "shows\n",
                                   "show \n",
                                   "show a\x01\n",
                                   "SHOW\n",
                                   "show\r\n",
                                   QByteArray(4096, 'x'),
                                   QByteArray("show\0\n", 6)};
    for (const QByteArray &request : requests) {
        SCOPED_TRACE(request.toHex().toStdString());
        std::optional<QByteArray> answer;
        std::unique_ptr<QThread> thread(QThread::create(
            [&] { answer = menugeral::askLocalChannel(address.socketName, request, QDeadlineTimer(5000)); }));
        thread->start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return thread->isFinished(); }, 10000));
        thread->wait();
        EXPECT_EQ(answer, std::nullopt);
    }
    EXPECT_EQ(activations.size(), 0);
}

TEST(SingleInstanceGuard, ClosedMenuLeavesTheGuardFree)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    {
        SingleInstanceGuard menu(address);
        ASSERT_EQ(menu.claim(), Claim::FirstInstance);
    }
    SingleInstanceGuard next(address);
    EXPECT_EQ(next.claim(), Claim::FirstInstance);
}

TEST(SingleInstanceGuard, MenuInAnotherProcessIsReachedAndItsKillDoesNotBlockTheNextStart)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    GuardHolder holder(dir.path());
    ASSERT_TRUE(holder.waitForLine("claimed")) << "the holder process never took the guard";

    SingleInstanceGuard second(address);
    EXPECT_EQ(second.claim(), Claim::AnotherInstanceRuns);
    EXPECT_TRUE(holder.waitForLine("activation requested"));

    holder.process().kill(); // SIGKILL: nothing is cleaned up
    ASSERT_TRUE(holder.process().waitForFinished());
    ASSERT_TRUE(QFileInfo::exists(address.lockFileName)) << "the killed menu should have left its lock";

    // Waiting for the leftovers would end in AnotherInstanceSilent.
    SingleInstanceGuard next(address);
    EXPECT_EQ(next.claim(), Claim::FirstInstance) << "the leftovers were waited for instead of taken over";
    EXPECT_EQ(startLater(address), Claim::AnotherInstanceRuns);
}

// Not a test of its own: the process that GuardHolder starts and kills.
TEST(SingleInstanceGuardHolder, DISABLED_HoldsTheGuardUntilKilled)
{
    const QString directory = qEnvironmentVariable("MENUGERAL_GUARD_TEST_DIR");
    ASSERT_FALSE(directory.isEmpty());
    SingleInstanceGuard guard(instanceAddressFor(directory, {directory}, u":7"_s));
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &guard, [] { tell("activation requested\n"); });
    ASSERT_EQ(guard.claim(), Claim::FirstInstance);
    tell("claimed\n");
    QTest::qWait(30000);
}

// The lock is held, but nobody answers: a menu still starting, or stuck. The
// later start must neither hang nor become a second menu.
TEST(SingleInstanceGuard, HeldLockWithoutAnAnswerIsReportedAfterTheDeadline)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    InstanceLock held(address.lockFileName);
    ASSERT_EQ(held.tryLock(), InstanceLock::Result::Acquired);
    // A server on this thread, whose loop does not run while the later start asks.
    menugeral::LocalChannelServer busy({}, [](const QByteArray &) { return QByteArray("1\n"); });

    for (const bool listening : {false, true}) {
        SCOPED_TRACE(listening ? "listening but busy" : "not listening");
        if (listening) {
            ASSERT_TRUE(busy.listen(address.socketName));
        }
        SingleInstanceGuard later(address);
        later.setDeadline(std::chrono::milliseconds(500));
        EXPECT_EQ(later.claim(), Claim::AnotherInstanceSilent);
    }
}

} // namespace
