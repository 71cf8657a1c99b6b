// The Windows starter, made to start copies of the probe (see tests/probe)
// that record how they were started.
#include "Fakes.h"
#include "TempDir.h"
#include "platform/SystemProcessStarter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <gtest/gtest.h>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

class SystemProcessStarterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_log = m_dir.filePath(u"probe.log"_s);
        qputenv("MENUGERAL_PROBE_LOG", QDir::toNativeSeparators(m_log).toLocal8Bit());
    }
    void TearDown() override { qunsetenv("MENUGERAL_PROBE_LOG"); }

    // A copy of the probe with the libraries it needs, as a module would lie
    // in a folder of its own; its full name in Windows's form.
    QString probe(const QString &folder, const QString &name)
    {
        const QString from = QCoreApplication::applicationDirPath();
        const QString to = m_dir.filePath(folder);
        QDir().mkpath(to);
        for (const QString &library :
             {u"Qt6Core.dll"_s, u"libstdc++-6.dll"_s, u"libgcc_s_seh-1.dll"_s, u"libwinpthread-1.dll"_s})
            QFile::copy(from + u'/' + library, to + u'/' + library);
        if (!QFile::copy(from + u"/menugeral-probe.exe"_s, to + u'/' + name))
            ADD_FAILURE() << "cannot copy the probe to " << to.toStdString();
        return QDir::toNativeSeparators(to + u'/' + name);
    }

    QJsonObject waitForRecord()
    {
        const QDeadlineTimer deadline(30000);
        while (!deadline.hasExpired()) {
            QFile file(m_log);
            if (file.open(QIODevice::ReadOnly)) {
                const QByteArray line = file.readLine();
                if (line.endsWith('\n'))
                    return QJsonDocument::fromJson(line).object();
            }
            QThread::msleep(50);
        }
        ADD_FAILURE() << "the probe did not run";
        return {};
    }

    test::TempDir m_dir;
    QString m_log;
    test::RecordingNotifier m_notifier;
    SystemProcessStarter m_starter{m_notifier};
};

TEST_F(SystemProcessStarterTest, TheShellStartsTheFileInItsFolderWithItsParameters)
{
    const QString program = probe(u"my apps"_s, u"caixa.exe"_s);
    const QString folder = QFileInfo(program).absolutePath();
    m_starter.startProgram({u"caixa.exe"_s, u"/loja 3 \"Caixa 2\""_s, QDir::toNativeSeparators(folder)});

    const QJsonObject record = waitForRecord();
    EXPECT_EQ(QDir::toNativeSeparators(record.value(u"program"_s).toString()), program);
    EXPECT_EQ(record.value(u"cwd"_s).toString(), folder);
    EXPECT_EQ(record.value(u"args"_s).toArray().toVariantList(), (QVariantList{u"/loja"_s, u"3"_s, u"Caixa 2"_s}));
    EXPECT_TRUE(m_notifier.boxes.isEmpty());
}

// The program named apart, blanks in its folder and all; the rest of the text
// reaches it as written.
TEST_F(SystemProcessStarterTest, ACommandLineRunsItsProgramWithTheRestAsWrittenWithoutTheShell)
{
    const QString program = probe(u"remote desk"_s, u"mstsc.exe"_s);
    const QString arguments = u"/v:server01 \"two words\" %PATH% ^&"_s;
    m_starter.runCommandLine({program, arguments});
    const QString commandLine = u"\""_s + program + u"\" "_s + arguments;

    const QJsonObject record = waitForRecord();
    EXPECT_EQ(QDir::toNativeSeparators(record.value(u"program"_s).toString()), program);
    EXPECT_EQ(record.value(u"commandLine"_s).toString(), commandLine);
    EXPECT_EQ(record.value(u"cwd"_s).toString(), QDir::currentPath()); // the menu's own
}

TEST_F(SystemProcessStarterTest, ACommandLineThatCannotStartShowsOneBoxWithTheSystemsReason)
{
    const QString missing = QDir::toNativeSeparators(m_dir.filePath(u"nowhere/mstsc.exe"_s));
    m_starter.runCommandLine({missing, u"/v:server01"_s});

    ASSERT_EQ(m_notifier.boxes.size(), 1);
    EXPECT_EQ(m_notifier.boxes[0].kind, test::RecordingNotifier::Box::Error);
    EXPECT_EQ(m_notifier.boxes[0].caption, u"mstsc.exe"_s);
    EXPECT_FALSE(m_notifier.boxes[0].text.isEmpty());
    EXPECT_FALSE(m_notifier.boxes[0].text.startsWith(u"Error "_s)) << "the system's own text";
}

} // namespace
} // namespace menugeral
