#include "Fakes.h"
#include "TempDir.h"
#include "Zombies.h"
#include "platform/SystemProcessStarter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

constexpr QFile::Permissions kExecutable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr int kPatienceMs = 10000;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A request as the check of a module path makes it: the program's full name
// beside its parts.
LaunchRequest requestFor(const QString &fileName, const QString &parameters, const QString &directory)
{
    return {fileName, parameters, directory, directory + u'/' + fileName};
}

// The real starter, made to start copies of the probe (see tests/probe) that
// record how they were started in a log in a temporary directory ("@").
class SystemProcessStarterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_base = QFileInfo(m_dir.path()).canonicalFilePath();
        m_log = m_base + u"/probe.log"_s;
        m_previousPath = qgetenv("PATH");
        qputenv("MENUGERAL_PROBE_LOG", QFile::encodeName(m_log));
        // Only the test's own directories are searched, so a wine that
        // happens to be installed does not change the outcome.
        setSearchPath(u"@/path"_s);
    }
    void TearDown() override
    {
        qputenv("PATH", m_previousPath);
        qunsetenv("MENUGERAL_PROBE_LOG");
        qunsetenv("MENUGERAL_PROBE_STAY_MS");
    }

    QString at(QString text) const { return text.replace(u'@', m_base); }
    void setSearchPath(const QString &path) { qputenv("PATH", QFile::encodeName(at(path))); }

    // A copy of the probe under the given name, executable or not.
    QString probe(const QString &name, bool executable = true)
    {
        const QString target = at(u"@/"_s + name);
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(QStringLiteral(MENUGERAL_PROBE_PATH), target))
            ADD_FAILURE() << "cannot copy the probe to " << target.toStdString();
        QFile::setPermissions(target, executable ? kExecutable : QFile::ReadOwner | QFile::WriteOwner);
        return target;
    }

    // The probes' records, once there are `count` of them.
    QList<QJsonObject> waitForRecords(qsizetype count)
    {
        QList<QJsonObject> records;
        const QDeadlineTimer deadline(kPatienceMs);
        while (!deadline.hasExpired()) {
            records.clear();
            QFile file(m_log);
            if (file.open(QIODevice::ReadOnly)) {
                for (const QByteArray &line : file.readAll().split('\n')) {
                    if (!line.isEmpty())
                        records.append(QJsonDocument::fromJson(line).object());
                }
            }
            if (records.size() >= count)
                return records;
            QThread::msleep(20);
        }
        ADD_FAILURE() << "expected " << count << " probe record(s), found " << records.size();
        return records;
    }

    // Gives a start that should not happen the time to show up in the log.
    bool logStaysEmpty()
    {
        QThread::msleep(300);
        return !QFile::exists(m_log);
    }

    static QStringList argumentsOf(const QJsonObject &record)
    {
        QStringList arguments;
        for (const QJsonValue &value : record.value(u"args"_s).toArray())
            arguments.append(value.toString());
        return arguments;
    }

    test::TempDir m_dir;
    QString m_base;
    QString m_log;
    QByteArray m_previousPath;
    test::RecordingNotifier m_notifier;
    SystemProcessStarter m_starter{m_notifier};
};

TEST_F(SystemProcessStarterTest, StartsTheProgramInItsDirectoryWithItsArguments)
{
    const QString program = probe(u"my apps/bin/prog"_s);
    m_starter.startProgram(
        requestFor(u"prog"_s, u"-a \"two words\" 'single' \"say \"\"\"hi\"\"\"\"  /x:1  "_s, at(u"@/my apps/bin"_s)));

    const QList<QJsonObject> records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].value(u"program"_s).toString(), program);
    EXPECT_EQ(records[0].value(u"cwd"_s).toString(), at(u"@/my apps/bin"_s));
    EXPECT_EQ(argumentsOf(records[0]),
              (QStringList{u"-a"_s, u"two words"_s, u"'single'"_s, u"say \"hi\""_s, u"/x:1"_s}));
    EXPECT_TRUE(m_notifier.boxes.isEmpty());
}

// A directory relative to the current one: the program is found there, not
// in the same path taken again from inside it.
TEST_F(SystemProcessStarterTest, StartsAProgramInARelativeDirectory)
{
    const QString program = probe(u"rel/bin/prog"_s);
    const auto restore = qScopeGuard([previous = QDir::currentPath()] { QDir::setCurrent(previous); });
    ASSERT_TRUE(QDir::setCurrent(m_base));
    m_starter.startProgram(requestFor(u"prog"_s, u"-x"_s, u"rel/bin"_s));

    const QList<QJsonObject> records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].value(u"program"_s).toString(), program);
    EXPECT_EQ(records[0].value(u"cwd"_s).toString(), at(u"@/rel/bin"_s));
    EXPECT_TRUE(m_notifier.boxes.isEmpty());
}

TEST_F(SystemProcessStarterTest, OpensANonExecutableWindowsProgramThroughWine)
{
    const QString wine = probe(u"path/wine"_s);
    m_dir.writeFile(u"apps/Tool.EXE"_s, "MZ");
    m_starter.startProgram(requestFor(u"Tool.EXE"_s, u"/cfg \"a b\""_s, at(u"@/apps"_s)));

    const QList<QJsonObject> records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].value(u"program"_s).toString(), wine);
    EXPECT_EQ(records[0].value(u"cwd"_s).toString(), at(u"@/apps"_s));
    EXPECT_EQ(argumentsOf(records[0]), (QStringList{at(u"@/apps/Tool.EXE"_s), u"/cfg"_s, u"a b"_s}));
    EXPECT_TRUE(m_notifier.boxes.isEmpty());
}

TEST_F(SystemProcessStarterTest, AnExecutableWindowsProgramStartsDirectly)
{
    probe(u"path/wine"_s);
    const QString program = probe(u"apps/native.exe"_s);
    m_starter.startProgram(requestFor(u"native.exe"_s, u"-v"_s, at(u"@/apps"_s)));

    const QList<QJsonObject> records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].value(u"program"_s).toString(), program);
    EXPECT_EQ(argumentsOf(records[0]), QStringList{u"-v"_s});
}

TEST_F(SystemProcessStarterTest, ARefusedStartShowsOneBoxWithTheSystemsReason)
{
    m_dir.writeFile(u"apps/notes"_s, "text");
    m_dir.writeFile(u"apps/tool.exe"_s, "MZ"); // no wine on the search path
    probe(u"apps/prog"_s);
    struct Case
    {
        LaunchRequest request;
        int error;
    };
    const Case cases[] = {
        {{u"notes"_s, u""_s, u"@/apps"_s}, EACCES},
        {{u"tool.exe"_s, u"/cfg"_s, u"@/apps"_s}, EACCES},
        {{u"missing"_s, u""_s, u"@/apps"_s}, ENOENT},
        {{u"prog"_s, u""_s, u"@/gone"_s}, ENOENT}, // the working directory is missing
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.request.fileName.toStdString());
        m_notifier.boxes.clear();
        m_starter.startProgram(requestFor(c.request.fileName, c.request.parameters, at(c.request.directory)));
        ASSERT_EQ(m_notifier.boxes.size(), 1);
        const test::RecordingNotifier::Box &box = m_notifier.boxes.front();
        EXPECT_EQ(box.kind, test::RecordingNotifier::Box::Error);
        EXPECT_EQ(box.caption, c.request.fileName);
        EXPECT_TRUE(box.text.contains(systemReason(c.error))) << box.text.toStdString();
    }
    EXPECT_TRUE(logStaysEmpty());
}

// The program named, blanks in its folder and all, with the arguments split
// as a command line is, but never by a shell.
TEST_F(SystemProcessStarterTest, RunsTheCommandLinesProgramWithItsArgumentsWithoutAShell)
{
    const QString program = probe(u"dir with blanks/remote"_s);
    m_starter.runCommandLine({program, u"/v:server01 \"two words\" $HOME;x |y `id`"_s});

    const QList<QJsonObject> records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].value(u"program"_s).toString(), program);
    EXPECT_EQ(records[0].value(u"cwd"_s).toString(), QFileInfo(QDir::currentPath()).canonicalFilePath());
    EXPECT_EQ(argumentsOf(records[0]),
              (QStringList{u"/v:server01"_s, u"two words"_s, u"$HOME;x"_s, u"|y"_s, u"`id`"_s}));
}

// Modules get what the menu was given, not what it set for itself, and none
// of the descriptors it holds.
TEST_F(SystemProcessStarterTest, ModulesGetTheGivenEnvironmentAndOnlyDescriptorsZeroToTwo)
{
    probe(u"apps/prog"_s);
    const int inheritable = ::open("/dev/null", O_RDONLY); // no close-on-exec
    ASSERT_GE(inheritable, 3);
    qputenv("QT_QPA_PLATFORM", "set-by-the-menu");
    const auto restore = qScopeGuard([inheritable] {
        ::close(inheritable);
        qunsetenv("QT_QPA_PLATFORM");
    });
    const QByteArrayList given{"MENUGERAL_PROBE_LOG=" + QFile::encodeName(m_log), "GIVEN=a=b c"};
    SystemProcessStarter starter(m_notifier, given);
    starter.startProgram(requestFor(u"prog"_s, u""_s, at(u"@/apps"_s)));
    starter.runCommandLine({at(u"@/apps/prog"_s), u""_s});

    const QList<QJsonObject> records = waitForRecords(2);
    ASSERT_EQ(records.size(), 2);
    const QJsonObject expected{{u"MENUGERAL_PROBE_LOG"_s, m_log}, {u"GIVEN"_s, u"a=b c"_s}};
    for (const QJsonObject &record : records) {
        EXPECT_EQ(record.value(u"env"_s).toObject(), expected);
        EXPECT_EQ(record.value(u"fds"_s).toArray(), QJsonArray());
    }
}

TEST_F(SystemProcessStarterTest, ACommandLineNamingANonExecutableWindowsProgramRunsThroughWine)
{
    const QString wine = probe(u"path/wine"_s);
    const QString program = at(u"@/apps/mstsc.exe"_s);
    m_dir.writeFile(u"apps/mstsc.exe"_s, "MZ");
    m_starter.runCommandLine({program, u"/v:server01"_s});

    const QList<QJsonObject> records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].value(u"program"_s).toString(), wine);
    EXPECT_EQ(argumentsOf(records[0]), (QStringList{program, u"/v:server01"_s}));
    EXPECT_TRUE(m_notifier.boxes.isEmpty());
}

TEST_F(SystemProcessStarterTest, ACommandLineThatCannotStartShowsOneBoxWithTheSystemsReason)
{
    m_dir.writeFile(u"path/notes"_s, "text");
    m_dir.writeFile(u"apps/mstsc.exe"_s, "MZ"); // no wine on the search path
    // A bare name is never searched for, on the search path or elsewhere.
    probe(u"path/on-the-path"_s);
    struct Case
    {
        QString program;
        QString caption;
        int error;
    };
    const Case cases[] = {
        {u"@/nowhere/no-such-program"_s, u"no-such-program"_s, ENOENT},
        {u"on-the-path"_s, u"on-the-path"_s, ENOENT},
        {u"@/path/notes"_s, u"notes"_s, EACCES},
        {u"@/apps/mstsc.exe"_s, u"mstsc.exe"_s, EACCES},
        {u"@/path"_s, u"path"_s, EACCES}, // a directory
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.program.toStdString());
        m_notifier.boxes.clear();
        m_starter.runCommandLine({at(c.program), u"/v:x"_s});
        ASSERT_EQ(m_notifier.boxes.size(), 1);
        const test::RecordingNotifier::Box &box = m_notifier.boxes.front();
        EXPECT_EQ(box.kind, test::RecordingNotifier::Box::Error);
        EXPECT_EQ(box.caption, c.caption);
        EXPECT_TRUE(box.text.contains(systemReason(c.error))) << box.text.toStdString();
    }
    EXPECT_TRUE(logStaysEmpty());
}

// The started program leads a session of its own with no signal blocked or
// ignored, whatever the menu's own signal state; once it ends its status is
// collected, so it does not stay behind as our zombie.
TEST_F(SystemProcessStarterTest, StartsInANewSessionWithDefaultSignalsAndLeavesNoZombie)
{
    probe(u"apps/prog"_s);
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGUSR1);
    sigset_t previousMask;
    ASSERT_EQ(pthread_sigmask(SIG_BLOCK, &blocked, &previousMask), 0);
    const auto previousAction = std::signal(SIGUSR2, SIG_IGN);
    const auto restore = qScopeGuard([&] {
        pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
        std::signal(SIGUSR2, previousAction);
    });
    m_starter.startProgram(requestFor(u"prog"_s, u""_s, at(u"@/apps"_s)));
    m_starter.runCommandLine({at(u"@/apps/prog"_s), u""_s});

    const QList<QJsonObject> records = waitForRecords(2);
    ASSERT_EQ(records.size(), 2);
    for (const QJsonObject &record : records) {
        EXPECT_EQ(record.value(u"sid"_s).toInteger(), record.value(u"pid"_s).toInteger());
        EXPECT_EQ(record.value(u"sigblk"_s).toString().toULongLong(nullptr, 16), 0u);
        // (glibc's start leaves its own internal signals ignored.)
        const quint64 ignored = record.value(u"sigign"_s).toString().toULongLong(nullptr, 16);
        EXPECT_EQ(ignored & (quint64(1) << (SIGUSR2 - 1)), 0u);
    }
    // The probes end at once; the event loop notices and collects them. Until
    // then they may still be running, so wait for them to be gone, not for the
    // zombies to be absent.
    const auto anyLeft = [&records] {
        return std::ranges::any_of(
            records, [](const QJsonObject &record) { return test::processExists(record.value(u"pid"_s).toInteger()); });
    };
    const QDeadlineTimer deadline(kPatienceMs);
    while (anyLeft() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(anyLeft()) << "zombies: " << test::zombiesOf(getpid()).join(u' ').toStdString();
}

} // namespace
} // namespace menugeral
