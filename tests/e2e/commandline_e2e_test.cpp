#include "TempDir.h"
#include "harness/MenuCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

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
    void SetUp() override
    {
        const auto copied = menugeral::e2e::copyProgram(dir.path());
        ASSERT_FALSE(copied) << qPrintable(*copied);
    }

    QString program() const { return dir.filePath(u"menugeral"_s); }
    QString config() const { return dir.filePath(u"configuracoes.ini"_s); }

    // `output`: where standard output goes; kept for the outcome when empty.
    Outcome run(const QStringList &arguments, const QString &output = {}) const
    {
        QProcess process;
        if (!output.isEmpty())
            process.setStandardOutputFile(output);
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

// Output that cannot be written fails the command; Qt's own options are left
// to the menu and never garble a command; a stray word is refused in one line
// before anything needs a display.
TEST_F(TechnicianCommandLine, OutputErrorsQtOptionsAndStrayWords)
{
    struct Case
    {
        QStringList arguments;
        QString output;
        int exitCode;
        QString errorStart; // the whole of standard error starts so and is one line; empty: nothing on it
    };
    const QString full = u"/dev/full"_s;
    const Case cases[] = {
        {{u"--check"_s, u"--json"_s}, full, 2, u"menugeral: cannot write to standard output: "_s},
        {{u"--check"_s}, full, 2, u"menugeral: cannot write to standard output: "_s},
        {{u"--config-file"_s}, full, 2, u"menugeral: cannot write to standard output: "_s},
        {{u"--config-file"_s}, {}, 0, {}},
        {{u"-platform"_s, u"offscreen"_s, u"--check"_s}, {}, 1, {}},
        {{u"--check"_s, u"--style=fusion"_s, u"-reverse"_s}, {}, 1, {}},
        {{u"extra"_s}, {}, 2, u"menugeral: unexpected argument \"extra\""_s},
        {{u"-platform"_s, u"offscreen"_s, u"extra"_s}, {}, 2, u"menugeral: unexpected argument \"extra\""_s},
    };
    if (!QFile::exists(full))
        GTEST_SKIP() << "no /dev/full here";
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const Outcome outcome = run(c.arguments, c.output);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.err.toStdString();
        if (c.errorStart.isEmpty()) {
            EXPECT_EQ(outcome.err, QString());
        } else {
            EXPECT_TRUE(outcome.err.startsWith(c.errorStart)) << outcome.err.toStdString();
            EXPECT_EQ(outcome.err.count(u'\n'), 1) << outcome.err.toStdString();
        }
        if (c.output.isEmpty() && c.exitCode == 1) {
            EXPECT_TRUE(outcome.out.startsWith(u"File: "_s + config())) << outcome.out.toStdString();
        }
    }
}

// Technicians who set different modules at the same moment all keep theirs.
TEST_F(TechnicianCommandLine, ParallelSetsOfDifferentModulesAllSurvive)
{
    const Outcome listed = run({u"--check"_s, u"--json"_s});
    const QJsonArray modules = QJsonDocument::fromJson(listed.out.toUtf8()).object().value(u"modules"_s).toArray();
    ASSERT_EQ(modules.size(), 19) << listed.out.toStdString();

    std::vector<std::unique_ptr<QProcess>> setters;
    for (qsizetype i = 0; i < modules.size(); ++i) {
        auto &setter = setters.emplace_back(std::make_unique<QProcess>());
        const QString key = modules.at(i).toObject().value(u"key"_s).toString();
        setter->start(program(), {u"--set"_s, key + u"=/opt/modulo"_s + QString::number(i)});
    }
    for (const auto &setter : setters) {
        ASSERT_TRUE(setter->waitForFinished(30000));
        EXPECT_EQ(setter->exitCode(), 0) << setter->readAllStandardError().toStdString();
    }

    const QJsonArray saved =
        QJsonDocument::fromJson(run({u"--check"_s, u"--json"_s}).out.toUtf8()).object().value(u"modules"_s).toArray();
    ASSERT_EQ(saved.size(), 19);
    for (qsizetype i = 0; i < saved.size(); ++i)
        EXPECT_EQ(saved.at(i).toObject().value(u"path"_s).toString(), u"/opt/modulo"_s + QString::number(i));
}

// A file of any size is answered from its size: exit code 2, naming it.
TEST_F(TechnicianCommandLine, AFileAboveTheBoundIsRefusedWithExitCodeTwo)
{
    dir.writeFile(u"configuracoes.ini"_s, "[GestaoEmpresarial]\r\nModulo Caixa=/opt/caixa\r\n");
    const qint64 size = qint64(1) << 40;
    if (!QFile::resize(config(), size))
        GTEST_SKIP() << "this file system holds no file of 1 TiB";
    for (const QStringList &arguments : {QStringList{u"--check"_s}, QStringList{u"--set"_s, u"Pdv=/opt/pdv"_s}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const Outcome refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 2);
        const QString said = refused.out + refused.err;
        EXPECT_TRUE(said.contains(config() + u" is "_s + QString::number(size) + u" bytes long"_s))
            << said.toStdString();
    }
    EXPECT_EQ(QFileInfo(config()).size(), size);
}

} // namespace
