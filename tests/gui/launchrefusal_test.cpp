#include "Fakes.h"
#include "TempDir.h"
#include "menu/ModuleLauncher.h"
#include "platform/SystemProcessStarter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

// A program the menu cannot start ends in one box, never in silence: through
// the menu's own check of the path, and, where the check is passed by, through
// the start itself.
class LaunchRefusalTest : public testing::Test
{
protected:
    void SetUp() override { qputenv("MENUGERAL_PROBE_LOG", QFile::encodeName(dir.filePath(u"probe.log"_s))); }
    void TearDown() override
    {
        if (m_mounted)
            QProcess::execute(u"umount"_s, {dir.filePath(u"noexec"_s)});
        qunsetenv("MENUGERAL_PROBE_LOG");
    }

    // A copy of the probe, executable by its permission bits or not.
    QString probe(const QString &name, bool executable)
    {
        const QString target = dir.filePath(name);
        QDir().mkpath(QFileInfo(target).absolutePath());
        EXPECT_TRUE(QFile::copy(QStringLiteral(MENUGERAL_PROBE_PATH), target));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner |
                                          (executable ? QFile::ExeOwner : QFile::Permissions()));
        return target;
    }

    // A directory on a tmpfs mounted without the right to run programs.
    bool mountNoexec()
    {
        const QString where = dir.filePath(u"noexec"_s);
        m_mounted =
            QDir().mkpath(where) &&
            QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"noexec,size=4m"_s, u"tmpfs"_s, where}) == 0;
        return m_mounted;
    }

    bool nothingStarted() const
    {
        QThread::msleep(300);
        return !QFile::exists(dir.filePath(u"probe.log"_s));
    }

    test::TempDir dir;
    test::RecordingNotifier notifier;
    SystemProcessStarter starter{notifier};
    ModuleLauncher launcher{notifier, starter, PathSyntax::Posix};

private:
    bool m_mounted = false;
};

TEST_F(LaunchRefusalTest, AProgramWithoutTheExecuteBitGivesTheInvalidPathWarning)
{
    launcher.ChamarExecutavel(probe(u"bin/prog"_s, false) + u" -x"_s, u"Gerencial");
    EXPECT_EQ(notifier.warnings(), QStringList{kInvalidPathWarning.toString()});
    EXPECT_TRUE(nothingStarted());
}

TEST_F(LaunchRefusalTest, AProgramOnANoexecMountIsRefusedWithABox)
{
    if (!mountNoexec())
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root with CAP_SYS_ADMIN and the mount program)";
    const QString program = probe(u"noexec/prog"_s, true);

    launcher.ChamarExecutavel(program, u"Gerencial");
    EXPECT_EQ(notifier.warnings(), QStringList{kInvalidPathWarning.toString()});

    // Past the check (the mount changed after it), the system refuses the start.
    notifier.boxes.clear();
    starter.startProgram({u"prog"_s, {}, dir.filePath(u"noexec"_s), dir.filePath(u"noexec/prog"_s)});
    ASSERT_EQ(notifier.boxes.size(), 1);
    EXPECT_EQ(notifier.boxes[0].kind, test::RecordingNotifier::Box::Error);
    EXPECT_EQ(notifier.boxes[0].caption, u"prog"_s);
    EXPECT_TRUE(notifier.boxes[0].text.contains(QString::fromLocal8Bit(std::strerror(EACCES))))
        << notifier.boxes[0].text.toStdString();
    EXPECT_TRUE(nothingStarted());
}

} // namespace
} // namespace menugeral
