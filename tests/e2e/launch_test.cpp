#include "Zombies.h"
#include "harness/MenuCopy.h"

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
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace menugeral::e2e;

namespace {

// The tiles' centres in the window: their bounds inside the modules panel,
// which lies at 21, 109.
constexpr QPoint kGerencialTileCentre{21 + 28 + 161 / 2, 109 + 72 + 80 / 2};
constexpr QPoint kCaixaTileCentre{21 + 188 + 80 / 2, 109 + 230 + 80 / 2};

class Launch : public MenuOnDesktopTest
{
protected:
    // The probes' records, once there are at least `count` (or the time is up).
    QList<QJsonObject> waitForRecords(qsizetype count, std::chrono::milliseconds timeout = 10s) const
    {
        QList<QJsonObject> records;
        waitUntil(
            [&] {
                records.clear();
                QFile log(menu.probeLog());
                if (log.open(QIODevice::ReadOnly)) {
                    for (const QByteArray &line : log.readAll().split('\n')) {
                        if (!line.isEmpty())
                            records.append(QJsonDocument::fromJson(line).object());
                    }
                }
                return records.size() >= count;
            },
            timeout);
        return records;
    }

    static QStringList strings(const QJsonValue &array)
    {
        QStringList list;
        for (const QJsonValue &value : array.toArray())
            list.append(value.toString());
        return list;
    }
};

using menugeral::test::processExists;
using menugeral::test::zombiesOf;

// Text that a shell would run as five more commands, each making a marker
// file; the menu must hand it to the program word for word.
TEST_F(Launch, ShellTextInAPathIsNeverRunInTheOrdinaryOrTheRemoteDesktopStart)
{
    const QString markers = menu.filePath(u"markers"_s);
    ASSERT_TRUE(QDir().mkpath(markers));
    const QString m = markers + u'/';
    const QString shellText = uR"("two words" ; touch %1 && touch %2 | touch %3 $(touch %4) `touch %5` x;y)"_s.arg(
        m + u'1', m + u'2', m + u'3', m + u'4', m + u'5');
    const QStringList words{u"two words"_s, u";"_s,      u"touch"_s,  m + u'1',   u"&&"_s,
                            u"touch"_s,     m + u'2',    u"|"_s,      u"touch"_s, m + u'3',
                            u"$(touch"_s,   m + u"4)"_s, u"`touch"_s, m + u"5`",  u"x;y"_s};
    const auto ordinary = menu.installProbe(menu.filePath(u"bin"_s));
    // "MSTSC" in the path: a command line, whose program lies in a folder with a blank.
    const auto remote = menu.installProbe(menu.filePath(u"remote desk/mstsc"_s));
    ASSERT_TRUE(ordinary && remote);
    menu.writeConfiguration({{u"Modulo Gerencial"_s, *ordinary + u' ' + shellText},
                             {u"Modulo Caixa"_s, *remote + u" /v:servidor "_s + shellText}});

    menu.start(menu.probeEnvironment());
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);
    desktop.click(*window, kGerencialTileCentre);
    ASSERT_EQ(waitForRecords(1).size(), 1) << "the ordinary start started nothing";
    desktop.click(*window, kCaixaTileCentre);
    const QList<QJsonObject> records = waitForRecords(2);
    ASSERT_EQ(records.size(), 2) << "the remote desktop start started nothing";

    EXPECT_EQ(records[0].value(u"program"_s).toString(), QFileInfo(*ordinary).canonicalFilePath());
    EXPECT_EQ(strings(records[0].value(u"args"_s)), words);
    EXPECT_EQ(records[1].value(u"program"_s).toString(), QFileInfo(*remote).canonicalFilePath());
    EXPECT_EQ(strings(records[1].value(u"args"_s)), QStringList{u"/v:servidor"_s} + words);
    // A shell would have run its commands with the program; give them time.
    QThread::msleep(500);
    EXPECT_EQ(QDir(markers).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(waitForRecords(2).size(), 2) << "something else started a probe";
}

// Programs that end at once, started as fast as the pointer clicks: each click
// starts one, none is left as the menu's zombie (they are its children until
// they end), none gets the menu's lock, sockets or X connection, and the menu
// still answers.
TEST_F(Launch, AHundredRapidClicksStartAHundredProgramsAndTheMenuKeepsAnswering)
{
    const auto probe = menu.installProbe(menu.filePath(u"bin"_s));
    ASSERT_TRUE(probe);
    menu.writeConfiguration({{u"Modulo Gerencial"_s, *probe}});
    QProcess &process = menu.start(menu.probeEnvironment());
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);

    desktop.pointAt(*window, kGerencialTileCentre);
    const ToolRun clicks =
        desktop.run(u"xdotool"_s, {u"click"_s, u"--repeat"_s, u"100"_s, u"--delay"_s, u"20"_s, u"1"_s});
    ASSERT_TRUE(clicks.finished && clicks.exitCode == 0);
    QList<QJsonObject> records = waitForRecords(100, 60s);
    QThread::msleep(500); // a start beyond the hundredth would show now
    records = waitForRecords(100);
    EXPECT_EQ(records.size(), 100);

    const qint64 menuPid = process.processId();
    const QString runtime = desktop.runtimeDirectory();
    QStringList leaked;
    for (const QJsonObject &record : records) {
        for (const QString &fd : strings(record.value(u"fds"_s))) {
            if ((fd.contains(u"socket:"_s) || fd.contains(runtime) || fd.contains(menu.directory())) &&
                !leaked.contains(fd))
                leaked.append(fd);
        }
    }
    EXPECT_EQ(leaked, QStringList()) << "descriptors of the menu that started programs got";
    std::cout << "descriptors a started program got beyond 0-2: "
              << (records.isEmpty() ? std::string("?")
                                    : strings(records[0].value(u"fds"_s)).join(u", "_s).toStdString())
              << '\n';
    // Gone, not merely absent from the zombies: a probe may still be running.
    EXPECT_TRUE(waitUntil([&] {
        return std::ranges::none_of(
            records, [](const QJsonObject &record) { return processExists(record.value(u"pid"_s).toInteger()); });
    })) << "zombies of the menu: "
        << zombiesOf(menuPid).join(u' ').toStdString();

    desktop.key(*window, u"Escape"_s);
    ASSERT_TRUE(process.waitForFinished(10000)) << "the menu no longer answers";
    EXPECT_EQ(process.exitCode(), 0);
}

// A module gets the environment the menu was given, less what was meant for
// the menu alone and nothing the menu set for itself, and descriptors 0 to 2
// only, whatever the menu inherited.
TEST_F(Launch, AModuleGetsTheEnvironmentTheMenuWasGivenAndNoOtherDescriptor)
{
    const auto probe = menu.installProbe(menu.filePath(u"bin"_s));
    ASSERT_TRUE(probe);
    menu.writeConfiguration({{u"Modulo Gerencial"_s, *probe}});
    QProcessEnvironment environment = menu.probeEnvironment();
    environment.insert(u"MENUGERAL_GIVEN"_s, u"kept as given"_s);
    environment.insert(u"DESKTOP_STARTUP_ID"_s, u"for the menu alone"_s);
    environment.insert(u"XDG_ACTIVATION_TOKEN"_s, u"for-the-menu-alone"_s);
    const int inheritable = ::open("/dev/null", O_RDONLY); // no close-on-exec
    ASSERT_GE(inheritable, 3);
    QProcess &process = menu.start(environment);
    const bool started = process.waitForStarted(10000);
    ::close(inheritable);
    ASSERT_TRUE(started);
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);
    desktop.click(*window, kGerencialTileCentre);
    const QList<QJsonObject> records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1);

    const QJsonObject given = records[0].value(u"env"_s).toObject();
    EXPECT_EQ(given.value(u"MENUGERAL_GIVEN"_s).toString(), u"kept as given"_s);
    EXPECT_EQ(given.value(u"DISPLAY"_s).toString(),
              environment.value(u"DISPLAY"_s, desktop.environment().value(u"DISPLAY"_s)));
    for (const QString &name : {u"QT_QPA_PLATFORM"_s, u"DESKTOP_STARTUP_ID"_s, u"XDG_ACTIVATION_TOKEN"_s})
        EXPECT_FALSE(given.contains(name)) << name.toStdString() << "=" << given.value(name).toString().toStdString();
    EXPECT_EQ(records[0].value(u"fds"_s).toArray(), QJsonArray());
}

// A started program is on its own: the menu ended by a signal, it runs on.
TEST_F(Launch, AStartedProgramOutlivesTheMenuEndedBySigterm)
{
    const auto probe = menu.installProbe(menu.filePath(u"bin"_s));
    ASSERT_TRUE(probe);
    menu.writeConfiguration({{u"Modulo Gerencial"_s, *probe}});
    QProcessEnvironment environment = menu.probeEnvironment();
    environment.insert(u"MENUGERAL_PROBE_STAY_MS"_s, u"60000"_s);
    QProcess &process = menu.start(environment);
    const auto window = menu.waitForOneMenuWindow();
    ASSERT_TRUE(window);
    desktop.click(*window, kGerencialTileCentre);
    const QList<QJsonObject> records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1);
    const auto module = pid_t(records[0].value(u"pid"_s).toInteger());
    const auto cleanUp = qScopeGuard([module] { ::kill(module, SIGKILL); });

    ASSERT_EQ(::kill(pid_t(process.processId()), SIGTERM), 0);
    ASSERT_TRUE(process.waitForFinished(10000));
    QThread::msleep(200); // a module taken down with the menu would be gone by now
    QFile stat(u"/proc/%1/stat"_s.arg(module));
    ASSERT_TRUE(stat.open(QIODevice::ReadOnly)) << "the module ended with the menu";
    const QByteArray fields = stat.readAll();
    EXPECT_NE(fields.mid(fields.lastIndexOf(')') + 2, 1), "Z") << "the module ended with the menu";
}

} // namespace
