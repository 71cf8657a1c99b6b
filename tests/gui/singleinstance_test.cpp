#include "TempDir.h"
#include "app/SingleInstanceGuard.h"
#include "platform/InstanceAddress.h"
#include "platform/InstanceLock.h"

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

#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;
using menugeral::InstanceAddress;
using menugeral::instanceAddressFor;
using menugeral::InstanceLock;
using menugeral::SingleInstanceGuard;
using menugeral::test::TempDir;
using Claim = SingleInstanceGuard::Claim;

namespace {

constexpr quint64 kChildWindowId = 4242;

mode_t modeOf(const QString &path)
{
    struct stat info
    {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

void setMode(const QString &path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0) << qPrintable(path);
}

// Unbuffered, so the parent sees each line at once.
void tell(QByteArrayView line)
{
    ASSERT_EQ(::write(STDOUT_FILENO, line.data(), static_cast<size_t>(line.size())), line.size());
}

InstanceAddress addressIn(const TempDir &dir)
{
    return *instanceAddressFor(dir.path(), dir.path(), u":7"_s);
}

// A later start on a thread of its own, so that this thread's event loop can
// let the first guard answer, as the running menu's loop would.
struct LaterStart
{
    Claim claim = Claim::Unguarded;
    quint64 windowId = 0;
};

LaterStart startLater(const InstanceAddress &address, const QByteArray &token = {})
{
    LaterStart result;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        SingleInstanceGuard guard(address);
        guard.setActivationToken(token);
        result.claim = guard.claim();
        result.windowId = guard.runningWindowId();
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
    first.setWindowId(0x600006);
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
        const LaterStart later = startLater(address, start.token);
        EXPECT_EQ(later.claim, Claim::AnotherInstanceRuns);
        EXPECT_EQ(later.windowId, 0x600006u);
        ASSERT_TRUE(QTest::qWaitFor([&] { return activations.size() == 1; }, 5000));
        EXPECT_EQ(activations.first().first().toByteArray(), start.handedOver);
    }
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

TEST(SingleInstanceGuard, AnotherDisplayHasAGuardOfItsOwn)
{
    TempDir dir;
    SingleInstanceGuard onFirstDisplay(*instanceAddressFor(dir.path(), dir.path(), u":0"_s));
    SingleInstanceGuard onSecondDisplay(*instanceAddressFor(dir.path(), dir.path(), u":1"_s));
    EXPECT_EQ(onFirstDisplay.claim(), Claim::FirstInstance);
    EXPECT_EQ(onSecondDisplay.claim(), Claim::FirstInstance);
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
    ASSERT_TRUE(holder.waitForLine("claimed\n")) << "the holder process never took the guard";

    SingleInstanceGuard second(address);
    EXPECT_EQ(second.claim(), Claim::AnotherInstanceRuns);
    EXPECT_EQ(second.runningWindowId(), kChildWindowId);
    EXPECT_TRUE(holder.waitForLine("activation requested\n"));

    holder.process().kill(); // SIGKILL: nothing is cleaned up
    ASSERT_TRUE(holder.process().waitForFinished());
    ASSERT_TRUE(QFileInfo::exists(address.socketName)) << "the killed menu should have left its socket";
    ASSERT_TRUE(QFileInfo::exists(address.lockFileName)) << "the killed menu should have left its lock";

    // Waiting for the leftovers would end in AnotherInstanceSilent.
    SingleInstanceGuard next(address);
    EXPECT_EQ(next.claim(), Claim::FirstInstance) << "the leftovers were waited for instead of taken over";
    EXPECT_EQ(startLater(address).claim, Claim::AnotherInstanceRuns);
}

// Not a test of its own: the process that GuardHolder starts and kills.
TEST(SingleInstanceGuardHolder, DISABLED_HoldsTheGuardUntilKilled)
{
    const QString directory = qEnvironmentVariable("MENUGERAL_GUARD_TEST_DIR");
    ASSERT_FALSE(directory.isEmpty());
    SingleInstanceGuard guard(instanceAddressFor(directory, directory, u":7"_s));
    guard.setWindowId(kChildWindowId);
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &guard, [] { tell("activation requested\n"); });
    ASSERT_EQ(guard.claim(), Claim::FirstInstance);
    tell("claimed\n");
    QTest::qWait(30000);
}

TEST(SingleInstanceGuard, MenuStillStartsWhenTheSocketCannotBeMade)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    // A directory in the socket's place cannot be removed or listened on.
    ASSERT_TRUE(QDir().mkpath(address.socketName + u"/occupied"_s));

    // Both menus run: the first must keep no lock that the second would wait on.
    std::vector<std::unique_ptr<SingleInstanceGuard>> running;
    for (int start = 1; start <= 2; ++start) {
        SCOPED_TRACE(start);
        // Waiting on a lock the first kept would end in AnotherInstanceSilent.
        auto &guard = *running.emplace_back(std::make_unique<SingleInstanceGuard>(address));
        EXPECT_EQ(guard.claim(), Claim::Unguarded);
    }
    EXPECT_EQ(SingleInstanceGuard(std::nullopt).claim(), Claim::Unguarded);
}

TEST(SingleInstanceGuard, MenuStillStartsInAReadOnlyDirectory)
{
    TempDir dir;
    const InstanceAddress address = addressIn(dir);
    if (QProcess::execute(u"chattr"_s, {u"+i"_s, dir.path()}) != 0)
        GTEST_SKIP() << "chattr +i is not available on " << qPrintable(dir.path());
    struct Undo
    {
        QString path;
        ~Undo() { QProcess::execute(u"chattr"_s, {u"-i"_s, path}); }
    } undo{dir.path()};

    EXPECT_EQ(SingleInstanceGuard(address).claim(), Claim::Unguarded);
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

TEST(InstanceAddress, LiesInThePrivateRuntimeDirectoryNamedForUserAndDisplay)
{
    TempDir runtime;
    TempDir fallback;
    setMode(runtime.path(), 0700);
    const auto address = instanceAddressFor(runtime.path(), fallback.path(), u":0"_s);
    ASSERT_TRUE(address);
    EXPECT_EQ(QFileInfo(address->socketName).absolutePath(), QFileInfo(runtime.path()).absoluteFilePath());
    const QString name = QFileInfo(address->socketName).fileName();
    EXPECT_TRUE(name.contains(QString::number(::geteuid()))) << qPrintable(name);
    EXPECT_TRUE(name.contains(u":0"_s)) << qPrintable(name);
    EXPECT_EQ(QFileInfo(address->lockFileName).absolutePath(), QFileInfo(runtime.path()).absoluteFilePath());
    EXPECT_NE(address->lockFileName, address->socketName);

    EXPECT_EQ(instanceAddressFor(runtime.path(), fallback.path(), u":0"_s)->socketName, address->socketName);
    EXPECT_NE(instanceAddressFor(runtime.path(), fallback.path(), u":1"_s)->socketName, address->socketName);
    EXPECT_NE(instanceAddressFor(runtime.path(), fallback.path(), u"wayland-0"_s)->socketName, address->socketName);
}

TEST(InstanceAddress, DisplayNamesThatAreNoFileNamesAreHashed)
{
    TempDir runtime;
    setMode(runtime.path(), 0700);
    const QString strange[] = {u"/private/tmp/launch-x/org.example:0"_s, u"../../x:0"_s, QString(200, u'a')};
    QStringList names;
    for (const QString &display : strange) {
        SCOPED_TRACE(qPrintable(display));
        const auto address = instanceAddressFor(runtime.path(), {}, display);
        ASSERT_TRUE(address);
        EXPECT_EQ(QFileInfo(address->socketName).absolutePath(), QFileInfo(runtime.path()).absoluteFilePath());
        names << address->socketName;
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), 3);
}

TEST(InstanceAddress, FitsTheSocketNameLimit)
{
    TempDir base;
    constexpr qsizetype kRoomForHashOnly = 70;
    if (base.path().size() + 2 > kRoomForHashOnly)
        GTEST_SKIP() << "the temporary directory's name is too long for this test: " << qPrintable(base.path());
    // A runtime directory long enough that only a hashed display name fits,
    // and one too long for any socket name.
    const QString hashOnly = base.path() + u'/' + QString(kRoomForHashOnly - base.path().size() - 1, u'r');
    const QString tooLong = base.path() + u'/' + QString(120, u'r');
    const QString fallback = base.path() + u"/menugeral-"_s + QString::number(::geteuid());
    const std::pair<QString, QString> cases[] = {{hashOnly, hashOnly}, {tooLong, fallback}};
    for (const auto &[runtime, expectedDirectory] : cases) {
        SCOPED_TRACE(runtime.size());
        ASSERT_TRUE(QDir().mkpath(runtime));
        setMode(runtime, 0700);
        const auto address = instanceAddressFor(runtime, base.path(), u"accounting-workstation-07:12.0"_s);
        ASSERT_TRUE(address);
        EXPECT_EQ(QFileInfo(address->socketName).absolutePath(), expectedDirectory);
        EXPECT_LE(QFile::encodeName(address->socketName).size(), 107);
        SingleInstanceGuard guard(*address);
        EXPECT_EQ(guard.claim(), Claim::FirstInstance) << qPrintable(address->socketName);
    }
}

TEST(InstanceAddress, WithoutRuntimeDirectoryMakesAPrivateOne)
{
    TempDir base;
    const auto address = instanceAddressFor({}, base.path(), u":0"_s);
    ASSERT_TRUE(address);
    const QString directory = QFileInfo(address->socketName).absolutePath();
    EXPECT_EQ(QFileInfo(directory).absolutePath(), QFileInfo(base.path()).absoluteFilePath());
    EXPECT_EQ(modeOf(directory) & 07777, 0700u);
    // The same place on the next start.
    EXPECT_EQ(instanceAddressFor({}, base.path(), u":0"_s)->socketName, address->socketName);
}

// What another user could have put in the private directory's place first.
TEST(InstanceAddress, RefusesPlacesOthersCouldHaveMadeOrCanWrite)
{
    struct Case
    {
        const char *what;
        std::function<void(const QString &path)> prepare;
    };
    const Case cases[] = {
        {"writable by everyone",
         [](const QString &path) {
             ASSERT_TRUE(QDir().mkpath(path));
             setMode(path, 01777);
         }},
        {"writable by the group",
         [](const QString &path) {
             ASSERT_TRUE(QDir().mkpath(path));
             setMode(path, 0770);
         }},
        {"a symbolic link",
         [](const QString &path) {
             QFile::link(QDir::tempPath(), path);
         }},
        {"a file",
         [](const QString &path) {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
         }},
        {"owned by someone else",
         [](const QString &path) {
             ASSERT_TRUE(QDir().mkpath(path));
             if (::chown(QFile::encodeName(path).constData(), 65534, 65534) != 0)
                 GTEST_SKIP() << "only root can hand a directory to another user";
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir base;
        const QString privateDirectory = base.path() + u"/menugeral-"_s + QString::number(::geteuid());
        c.prepare(privateDirectory);
        if (testing::Test::IsSkipped())
            continue;
        EXPECT_FALSE(instanceAddressFor({}, base.path(), u":0"_s));

        // The same things as a runtime directory are passed over for the fallback.
        TempDir fallback;
        const auto address = instanceAddressFor(privateDirectory, fallback.path(), u":0"_s);
        ASSERT_TRUE(address);
        EXPECT_TRUE(address->socketName.startsWith(fallback.path())) << qPrintable(address->socketName);
    }
}

} // namespace
