// The technician's --check on POSIX paths, where the executable bit decides.
#include "../SettingsTestSupport.h"
#include "cli/ModuleCheck.h"
#include "core/ConfiguredPaths.h"
#include "core/IniFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

QString makeProgram(const TempDir &dir, const QString &name)
{
    const QString full = dir.writeFile(name, "#!/bin/sh\n");
    QFile::setPermissions(full, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return full;
}

using CommandLineTest = SettingsWindowTest;

TEST_F(CommandLineTest, CheckJudgesEveryPathAndPassesOnlyWhenAllConfiguredStart)
{
    const QString program = makeProgram(dir, u"bin/ger"_s);
    const QString notes = dir.writeFile(u"notes"_s, "text");
    const std::pair<std::vector<std::pair<QStringView, QString>>, bool> files[] = {
        {{{u"Gerencial", program + u" -a"_s}}, true},
        {{{u"Gerencial", program}, {u"Caixa", dir.filePath(u"missing"_s)}, {u"Pdv", notes}}, false},
    };
    for (const auto &[paths, passes] : files) {
        ConfiguredPaths configured;
        for (const auto &[launchKey, path] : paths)
            configured[moduleOf(launchKey)] = path;
        IniFile ini(configFile());
        ASSERT_TRUE(saveConfiguredPaths(ini, configured));

        const CheckReport report = checkConfiguration(configFile(), PathSyntax::Posix);
        EXPECT_EQ(report.passed(), passes);
        const QJsonArray modules = QJsonDocument::fromJson(checkJson(report)).object().value(u"modules"_s).toArray();
        ASSERT_EQ(modules.size(), qsizetype(ModuleCatalogue::size));
        for (std::size_t i = 0; i < ModuleCatalogue::size; ++i) {
            const QJsonObject module = modules.at(qsizetype(i)).toObject();
            EXPECT_EQ(module.value(u"key"_s).toString(), ModuleCatalogue::at(i).key.toString());
            EXPECT_EQ(module.value(u"path"_s).toString(), configured[i]);
            EXPECT_EQ(module.value(u"state"_s).toString(), stateId(parsePath(configured[i], PathSyntax::Posix).state));
        }
    }
    const QString table = checkTable(checkConfiguration(configFile(), PathSyntax::Posix));
    EXPECT_TRUE(table.contains(u"\nPdv "_s) && table.contains(u"not executable  "_s + notes)) << table.toStdString();

    QFile::remove(configFile());
    const CheckReport missing = checkConfiguration(configFile(), PathSyntax::Posix);
    EXPECT_FALSE(missing.passed()) << "the menu warns about a missing file at start";
    EXPECT_FALSE(missing.problem.isEmpty());
}

// Run by root, the check names a file that someone outside the folder's group
// (one who has left it, say) owns, or that everyone may write, with the mend.
TEST_F(CommandLineTest, CheckAsRootNamesWhoElseMayChangeTheFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "the check looks at owners only when root runs it";
    constexpr uid_t nobody = 65534; // primary group nogroup (65534)
    const struct
    {
        gid_t folderGroup;
        uid_t owner;
        mode_t mode;
        QString fault; // empty: none
    } cases[] = {
        {0, 0, 0664, {}},
        {65534, nobody, 0664, {}},
        {0, nobody, 0664, u"it belongs to nobody, who is neither root nor in group root; "_s},
        {0, 0, 0666, u"everyone may write it; "_s},
        {0, nobody, 0646,
         u"it belongs to nobody, who is neither root nor in group root, and everyone may write it; "_s},
    };
    dir.writeFile(u"configuracoes.ini"_s, "[GestaoEmpresarial]\r\n");
    const QByteArray file = QFile::encodeName(configFile());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fault.toStdString());
        ASSERT_EQ(::chown(QFile::encodeName(dir.path()).constData(), 0, c.folderGroup), 0);
        ASSERT_EQ(::chown(file.constData(), c.owner, 0), 0);
        ASSERT_EQ(::chmod(file.constData(), c.mode), 0);
        const CheckReport report = checkConfiguration(configFile(), PathSyntax::Posix);
        EXPECT_EQ(report.passed(), c.fault.isEmpty());
        if (c.fault.isEmpty()) {
            EXPECT_EQ(report.ownership, QString());
            continue;
        }
        EXPECT_EQ(report.ownership,
                  c.fault + u"to mend it, run: chown root:root "_s + configFile() + u" && chmod 664 "_s + configFile());
        EXPECT_TRUE(checkTable(report).contains(u"\nOwnership: "_s + c.fault));
    }
}

} // namespace
