// The technician's --check on POSIX paths, where the executable bit decides.
#include "../SettingsTestSupport.h"
#include "catalogue/ConfiguredPaths.h"
#include "catalogue/IniFile.h"
#include "cli/ModuleCheck.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

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
            EXPECT_EQ(module.value(u"state"_s).toString(), stateId(pathState(configured[i], PathSyntax::Posix)));
        }
    }
    const QString table = checkTable(checkConfiguration(configFile(), PathSyntax::Posix));
    EXPECT_TRUE(table.contains(u"\nPdv "_s) && table.contains(u"not executable  "_s + notes)) << table.toStdString();

    QFile::remove(configFile());
    const CheckReport missing = checkConfiguration(configFile(), PathSyntax::Posix);
    EXPECT_FALSE(missing.passed()) << "the menu warns about a missing file at start";
    EXPECT_FALSE(missing.problem.isEmpty());
}

} // namespace
