#include "TempDir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

// The real program, copied beside its own configuracoes.ini, run as over SSH:
// no display of any kind.
class TechnicianCommandLine : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QFile::copy(QStringLiteral(MENUGERAL_BIN_DIR) + u"/menugeral"_s, program())); }

    QString program() const { return dir.filePath(u"menugeral"_s); }
    QString config() const { return dir.filePath(u"configuracoes.ini"_s); }

    Outcome run(const QStringList &arguments) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            environment.remove(name);
        process.setProcessEnvironment(environment);
        process.start(program(), arguments);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    menugeral::test::TempDir dir;
};

TEST_F(TechnicianCommandLine, ChecksSetsAndRefusesWithoutADisplay)
{
    const Outcome missing = run({u"--check"_s});
    EXPECT_EQ(missing.exitCode, 1) << "a missing file fails the check";
    EXPECT_TRUE(missing.out.contains(config())) << missing.out.toStdString();

    const Outcome set = run({u"--set"_s, u"Gerencial="_s + program() + u" --version"_s, u"--set"_s,
                             u"modulo cia=/nowhere/cia"_s, u"--config-file"_s});
    EXPECT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(set.out, config() + u'\n');
    EXPECT_TRUE(set.err.contains(u"Cia is not found"_s)) << "saved, with a note: " << set.err.toStdString();

    const Outcome check = run({u"--check"_s, u"--json"_s});
    EXPECT_EQ(check.exitCode, 1) << "Cia cannot be started";
    const QJsonArray modules = QJsonDocument::fromJson(check.out.toUtf8()).object().value(u"modules"_s).toArray();
    ASSERT_EQ(modules.size(), 19) << check.out.toStdString();
    EXPECT_EQ(modules.at(0).toObject().value(u"state"_s).toString(), u"startable"_s);
    EXPECT_EQ(modules.at(18).toObject().value(u"state"_s).toString(), u"not-found"_s);

    EXPECT_EQ(run({u"--unset"_s, u"Cia"_s}).exitCode, 0);
    EXPECT_EQ(run({u"--check"_s}).exitCode, 0);

    const QByteArray saved = dir.readFile(u"configuracoes.ini"_s);
    const Outcome refused = run({u"--set"_s, u"Caixa=/a"_s, u"--set"_s, u"Nenhum=/b"_s});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(config()) && refused.err.contains(u"\"Nenhum\""_s)) << refused.err.toStdString();
    EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), saved) << "nothing of a refused command is written";

    EXPECT_EQ(run({u"--chek"_s}).exitCode, 2) << "a mistyped option is refused, not taken for the menu";
    const Outcome version = run({u"--version"_s});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(u"menugeral "_s)) << version.out.toStdString();
}

} // namespace
