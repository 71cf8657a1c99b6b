#include "TempDir.h"
#include "harness/MenuCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

using namespace Qt::StringLiterals;
using menugeral::test::TempDir;

namespace {

// The real program on the compositor of the wayland test leg, with no X
// server: each menu gets the compositor's socket by its full name and a
// runtime directory of its own for the single-instance guard.
class MenuOnWayland : public testing::Test
{
protected:
    void SetUp() override
    {
        const QString display = qEnvironmentVariable("WAYLAND_DISPLAY");
        if (display.isEmpty())
            GTEST_SKIP() << "needs a Wayland compositor; the wayland tests of CTest start one";
        const QString socket =
            QDir::isAbsolutePath(display) ? display : qEnvironmentVariable("XDG_RUNTIME_DIR") + u'/' + display;
        ASSERT_TRUE(QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const auto copied = menugeral::e2e::copyProgram(program.path());
        ASSERT_FALSE(copied) << copied->toStdString();
        program.writeFile(u"configuracoes.ini"_s, "[GestaoEmpresarial]\r\nModulo Gerencial=\r\n");

        // No plugin named: without an X display the menu must choose Wayland itself.
        environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"DISPLAY"_s);
        environment.remove(u"QT_QPA_PLATFORM"_s);
        environment.insert(u"WAYLAND_DISPLAY"_s, socket);
        environment.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
    }

    void TearDown() override
    {
        for (const auto &process : started) {
            ::kill(pid_t(process->processId()), SIGCONT);
            process->kill();
            process->waitForFinished();
        }
    }

    QProcess &start(const QProcessEnvironment &extra = {})
    {
        auto &process = *started.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment all = environment;
        all.insert(extra);
        process.setProcessEnvironment(all);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(program.filePath(u"menugeral"_s), {});
        return process;
    }

    // The guard's socket (a system file, unlike its lock) is there once the
    // first start holds the lock.
    bool waitForGuard() const
    {
        const QDir directory(runtime.path());
        return QTest::qWaitFor([&] { return !directory.entryList({u"menugeral-*"_s}, QDir::System).isEmpty(); }, 20000);
    }

    TempDir program;
    TempDir runtime;
    QProcessEnvironment environment;
    std::vector<std::unique_ptr<QProcess>> started;
};

TEST_F(MenuOnWayland, StartsStaysUpAndASecondStartHandsOverWithItsToken)
{
    QProcess &menu = start();
    ASSERT_TRUE(waitForGuard()) << "the menu never set up its guard: " << menu.readAllStandardError().toStdString();

    QProcessEnvironment withToken;
    withToken.insert(u"XDG_ACTIVATION_TOKEN"_s, u"test-token-1"_s);
    QProcess &again = start(withToken);
    ASSERT_TRUE(again.waitForFinished(30000)) << "the second start kept running";
    EXPECT_EQ(again.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(again.exitCode(), 0);
    // The answer comes from the running menu's event loop, after its window was shown.
    EXPECT_FALSE(again.readAllStandardError().contains("did not answer")) << "the running menu did not answer";

    EXPECT_EQ(menu.state(), QProcess::Running) << menu.readAllStandardError().toStdString();
    ::kill(pid_t(menu.processId()), SIGTERM);
    ASSERT_TRUE(menu.waitForFinished(10000));
    EXPECT_EQ(menu.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(menu.exitCode(), 0);
}

} // namespace
