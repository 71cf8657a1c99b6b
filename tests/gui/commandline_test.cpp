#include "SettingsTestSupport.h"
#include "cli/ModuleCheck.h"
#include "cli/PathChanges.h"
#include "core/ConfiguredPaths.h"
#include "core/IniFile.h"
#include "menu/UnitMenuGeralNovoFrm.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

using CommandLineTest = SettingsWindowTest;

TEST_F(CommandLineTest, SetAndUnsetSaveTheBytesTheSettingsWindowSaves)
{
    // Files the window rewrites in its own way: a quoted value, a foreign key,
    // a comment, no final line break; and a UTF-8 file with a path Windows-1252 cannot hold.
    const QByteArray originals[] = {
        "; kept\r\n[gestaoempresarial]\r\nModulo Caixa = \"/opt/caixa /x\" \r\nOutra=1\r\n"
        "[GestaoContabil]\r\nModulo Lucro=/opt/lucro",
        "\xEF\xBB\xBF[GestaoContabil]\nModulo Lucro=/opt/lucro\n",
    };
    const QString gerencial = u"/opt/ger\u0101/ger -a"_s;
    for (const QByteArray &original : originals) {
        const bool utf8 = original.startsWith("\xEF");
        const QString newPath = utf8 ? gerencial : u"/opt/ger/ger -a"_s;
        dir.writeFile(u"configuracoes.ini"_s, original);
        {
            auto window = openWindow();
            edit(*window, u"edtModGerencial"_s)->setText(newPath);
            edit(*window, u"edtModLucro"_s)->clear();
            childNamed<QPushButton>(*window, u"bitSalvar"_s)->click();
        }
        const QByteArray byWindow = dir.readFile(u"configuracoes.ini"_s);
        ASSERT_NE(byWindow, original) << "the window saved";

        dir.writeFile(u"configuracoes.ini"_s, original);
        const auto changes = parsePathChanges({u"GERENCIAL="_s + newPath}, {u"Modulo Lucro"_s});
        ASSERT_TRUE(std::holds_alternative<std::vector<PathChange>>(changes));
        EXPECT_EQ(applyPathChanges(configFile(), std::get<std::vector<PathChange>>(changes)), QString());
        EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), byWindow);
    }
}

TEST_F(CommandLineTest, ModulesAreNamedByLabelOrKeyOnceEach)
{
    struct Case
    {
        QStringList sets;
        QStringList unsets;
        std::vector<std::pair<QStringView, QString>> changes; // launch key and path
        QString refusal;                                      // part of the message, when refused
    };
    const Case cases[] = {
        {{u"crm=/x"_s, u" Folha de Pgto. =/a=b"_s},
         {u"modulo cia"_s},
         {{u"Relac", u"/x"_s}, {u"FolhaPgto", u"/a=b"_s}, {u"Cia", {}}},
         {}},
        {{u"Modulo Vendas e Servi\u00e7os= /v "_s}, {}, {{u"VendServ", u" /v "_s}}, {}},
        {{u"Relac=/x"_s}, {}, {}, u"no module is called \"Relac\""_s}, // launch keys are no names
        {{u"Caixa"_s}, {}, {}, u"\"<label or key>=<path>\""_s},
        {{u"Caixa=/x"_s}, {u"modulo caixa"_s}, {}, u"\"Caixa\" is named twice"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sets.join(u' ').toStdString());
        const auto parsed = parsePathChanges(c.sets, c.unsets);
        if (!c.refusal.isEmpty()) {
            ASSERT_TRUE(std::holds_alternative<QString>(parsed));
            EXPECT_TRUE(std::get<QString>(parsed).contains(c.refusal)) << std::get<QString>(parsed).toStdString();
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<std::vector<PathChange>>(parsed)) << std::get<QString>(parsed).toStdString();
        const auto &changes = std::get<std::vector<PathChange>>(parsed);
        ASSERT_EQ(changes.size(), c.changes.size());
        for (std::size_t i = 0; i < changes.size(); ++i) {
            EXPECT_EQ(changes[i].module, moduleOf(c.changes[i].first));
            EXPECT_EQ(changes[i].path, c.changes[i].second);
        }
    }
}

TEST_F(CommandLineTest, RefusesWhatTheWindowRefusesAndLeavesTheFile)
{
    struct Case
    {
        QByteArray original;
        QString caixa; // the new path of Caixa
        QString refusal;
    };
    const Case cases[] = {
        {"[GestaoEmpresarial]\r\n", u"/a\nb"_s, u"module \"Caixa\" holds a line break"_s},
        {"[GestaoEmpresarial]\r\n", u"/caixa\u0101"_s, u"module \"Caixa\" holds"_s},
        // A NUL read from the file fails the save of any other change, named.
        {QByteArrayLiteral("[GestaoEmpresarial]\r\nModulo Pdv=/p\0x\r\n"), u"/caixa"_s, u"module \"Pdv\" holds"_s},
        // What the file would not give back as given, or a terminal would obey.
        {"[GestaoEmpresarial]\r\n", u"/caixa\u001b[2J"_s,
         u"module \"Caixa\" holds a line break, a NUL or another control"_s},
        {"[GestaoEmpresarial]\r\n", u"\"/caixa\""_s, u"module \"Caixa\" would not read back as given"_s},
        {"[GestaoEmpresarial]\r\n", QString(2048, u'x'), u"module \"Caixa\" would not read back as given"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.refusal.toStdString());
        dir.writeFile(u"configuracoes.ini"_s, c.original);
        const QString why = applyPathChanges(configFile(), {{moduleOf(u"Caixa"), c.caixa}});
        EXPECT_TRUE(why.contains(c.refusal)) << why.toStdString();
        EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), c.original);
    }
    QFile::remove(configFile());
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"configuracoes.ini"_s));
    EXPECT_EQ(applyPathChanges(configFile(), {{moduleOf(u"Caixa"), u"/x"_s}}),
              configFile() + u" is not a regular file"_s);
}

// Salvar writes what the person edited over what the file holds at that
// moment: a path set from the command line meanwhile stays, unless edited.
TEST_F(CommandLineTest, APathSetWhileTheWindowIsOpenSurvivesSalvar)
{
    dir.writeFile(u"configuracoes.ini"_s, "[GestaoEmpresarial]\r\nModulo Caixa=/old/caixa\r\nModulo Pdv=/old/pdv\r\n");
    auto window = openWindow();
    edit(*window, u"edtModCaixa"_s)->setText(u"/window/caixa"_s);
    ASSERT_EQ(applyPathChanges(configFile(), {{moduleOf(u"Caixa"), u"/cli/caixa"_s},
                                              {moduleOf(u"Pdv"), u"/cli/pdv"_s},
                                              {moduleOf(u"Gerencial"), u"/cli/ger"_s}}),
              QString());
    childNamed<QPushButton>(*window, u"bitSalvar"_s)->click();
    EXPECT_TRUE(fakes.notifier.boxes.isEmpty()) << fakes.notifier.warnings().join(u' ').toStdString();

    const IniFile saved(configFile());
    const ConfiguredPaths paths = readConfiguredPaths(saved);
    EXPECT_EQ(paths[moduleOf(u"Caixa")], u"/window/caixa"_s) << "the edit wins";
    EXPECT_EQ(paths[moduleOf(u"Pdv")], u"/cli/pdv"_s);
    EXPECT_EQ(paths[moduleOf(u"Gerencial")], u"/cli/ger"_s);
}

// --check shows what a hand-written file holds without letting a terminal
// obey it; its JSON gives the text back exactly.
TEST_F(CommandLineTest, CheckShowsControlCharactersOfTheFileEscaped)
{
    const QString caixa = u"/a\u001b[2J\u009b31m\u007f\tb"_s;
    dir.writeFile(u"configuracoes.ini"_s, "\xEF\xBB\xBF[GestaoEmpresarial]\r\nModulo Caixa=" + caixa.toUtf8() + "\r\n");
    const CheckReport report = checkConfiguration(configFile(), PathSyntax::Posix);
    ASSERT_EQ(report.modules[moduleOf(u"Caixa")].path, caixa);

    const QString table = checkTable(report);
    EXPECT_TRUE(table.contains(u"/a<U+001B>[2J<U+009B>31m<U+007F><U+0009>b"_s)) << table.toStdString();
    const QByteArray json = checkJson(report);
    for (const QByteArray raw : {"\x1b", "\x7f", "\xc2\x9b", "\t"}) {
        EXPECT_FALSE(table.toUtf8().contains(raw));
        EXPECT_FALSE(json.contains(raw));
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << json.toStdString();
    EXPECT_EQ(document.object().value(u"modules"_s).toArray().at(int(moduleOf(u"Caixa"))).toObject().value(u"path"_s),
              caixa);
}

TEST_F(CommandLineTest, ARunningMenuStartsWhatWasSetAtItsNextClick)
{
    dir.writeFile(u"configuracoes.ini"_s, "[GestaoEmpresarial]\r\nModulo Gerencial=\r\n");
    TFrmMenuGeralNovo menu(fakes.services);
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    // A module path in the syntax of this system: valid in either, not executable.
    const QString program = QDir::toNativeSeparators(dir.writeFile(u"ger.exe"_s, "MZ"));
    ASSERT_EQ(applyPathChanges(configFile(), {{moduleOf(u"Gerencial"), program + u" /x"_s}}), QString());

    QTest::mouseClick(childNamed<QAbstractButton>(menu, u"bitQorGerencial"_s), Qt::LeftButton);
    ASSERT_EQ(fakes.processStarter.programs.size(), 1) << fakes.notifier.warnings().join(u' ').toStdString();
    EXPECT_EQ(fakes.processStarter.programs[0].fileName, u"ger.exe"_s);
    EXPECT_EQ(fakes.processStarter.programs[0].parameters, u"/x"_s);
}

} // namespace
