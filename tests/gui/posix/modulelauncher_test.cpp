#include "Fakes.h"
#include "TempDir.h"
#include "menu/ModuleLauncher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace menugeral {

// Readable failure messages for the recorded starts (found by argument-dependent lookup).
static void PrintTo(const LaunchRequest &request, std::ostream *out)
{
    *out << '{' << request.fileName.toStdString() << " | " << request.parameters.toStdString() << " | "
         << request.directory.toStdString() << '}';
}

namespace {
using namespace Qt::StringLiterals;

const QString kEmptyText =
    u"Sistema não disponível para utilização,\rfaça contato com o nosso departamento comercial."_s;
const QString kInvalidText = u"Caminho inválido para acesso ao sistema,\rfaça contato com o nosso suporte técnico."_s;

// The launcher with recording fakes, over real files in a temporary directory
// ("@" in the texts below) that is also the current directory.
class ModuleLauncherTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_base = QFileInfo(m_dir.path()).canonicalFilePath();
        m_previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_base));
        for (const QString &name :
             {u"apps/caixa"_s, u"apps/ger"_s, u"bin/mstsc"_s, u"bin/MsTsC"_s, u"remote desk/mstsc"_s})
            executable(name);
        m_dir.writeFile(u"apps/notes"_s, "text");
        m_dir.writeFile(u"C:\\Windows\\System32\\mstsc.exe"_s, "MZ");
        m_dir.writeFile(u"C:\\Apps\\x.exe"_s, "MZ");
        m_dir.writeFile(u"C:\\Remote Desk\\mstsc.exe"_s, "MZ");
        ASSERT_TRUE(QDir(m_base).mkpath(u"apps/folder"_s));
        fresh(PathSyntax::Posix);
    }
    void TearDown() override
    {
        if (!m_previousDir.isEmpty())
            QDir::setCurrent(m_previousDir);
    }

    void executable(const QString &name)
    {
        const QString full = m_dir.writeFile(name, "#!/bin/sh\n");
        ASSERT_TRUE(QFile::setPermissions(full, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    void fresh(PathSyntax syntax)
    {
        m_notifier = std::make_unique<test::RecordingNotifier>();
        m_starter = std::make_unique<test::RecordingProcessStarter>();
        m_launcher = std::make_unique<ModuleLauncher>(*m_notifier, *m_starter, syntax);
    }
    QString at(QString text) const { return text.replace(u'@', m_base); }
    bool nothingStarted() const { return m_starter->programs.isEmpty() && m_starter->commandLines.isEmpty(); }

    test::TempDir m_dir;
    QString m_base;
    QString m_previousDir;
    std::unique_ptr<test::RecordingNotifier> m_notifier;
    std::unique_ptr<test::RecordingProcessStarter> m_starter;
    std::unique_ptr<ModuleLauncher> m_launcher;
};

TEST_F(ModuleLauncherTest, WarnsAboutAnEmptyOrUnusablePathAndStartsNothing)
{
    struct Case
    {
        QString path;
        QString key;
        PathSyntax syntax;
        QString warning;
    };
    const Case cases[] = {
        {u""_s, u"Caixa"_s, PathSyntax::Posix, kEmptyText},
        {u""_s, u"NoSuchModule"_s, PathSyntax::Posix, kEmptyText}, // before the key is looked at
        {u""_s, u"Cia"_s, PathSyntax::Windows, kEmptyText},
        {u"@/apps/missing /a"_s, u"Gerencial"_s, PathSyntax::Posix, kInvalidText},
        {u"@/apps/folder"_s, u"Pdv"_s, PathSyntax::Posix, kInvalidText},
        {u"@/apps/notes"_s, u"Cia"_s, PathSyntax::Posix, kInvalidText},
        {u"@/apps/missing"_s, u"NoSuchModule"_s, PathSyntax::Posix, kInvalidText},
        {u"@/bin/mstsc.exe /v:x"_s, u"Caixa"_s, PathSyntax::Posix, kInvalidText}, // validated before "MSTSC"
        {u"C:\\Apps\\readme.txt"_s, u"Gerencial"_s, PathSyntax::Windows, kInvalidText},
        // A path with nothing before its first "/" names no program.
        {u"@/C:\\Apps\\x.exe"_s, u"Gerencial"_s, PathSyntax::Windows, kInvalidText},
    };
    for (const Case &c : cases) {
        const QString path = at(c.path);
        SCOPED_TRACE(path.toStdString() + " / " + c.key.toStdString());
        fresh(c.syntax);
        m_launcher->ChamarExecutavel(path, c.key);
        ASSERT_EQ(m_notifier->boxes.size(), 1);
        const test::RecordingNotifier::Box &box = m_notifier->boxes.front();
        EXPECT_EQ(box.kind, test::RecordingNotifier::Box::Warning);
        EXPECT_EQ(box.caption, u"Menu Geral do Sistema"_s);
        EXPECT_EQ(box.text, c.warning);
        EXPECT_TRUE(nothingStarted());
    }
}

TEST_F(ModuleLauncherTest, AKeyOutsideTheCatalogueStartsNothingAndSaysNothing)
{
    for (const QString &key : {u"caixa"_s, u"CAIXA"_s, u"Helpdesk"_s, u"NoSuchModule"_s, u""_s}) {
        SCOPED_TRACE(key.toStdString());
        fresh(PathSyntax::Posix);
        m_launcher->ChamarExecutavel(at(u"@/bin/mstsc /v:server01"_s), key);
        EXPECT_TRUE(m_notifier->boxes.isEmpty());
        EXPECT_TRUE(nothingStarted());
    }
}

// The command line runs the program validation found, whose folder may hold
// blanks, with the rest of the text as its arguments.
TEST_F(ModuleLauncherTest, CaixaRunsAnMstscPathAsACommandLine)
{
    struct Case
    {
        QString path;
        PathSyntax syntax;
        CommandLineRequest asCommandLine;
        LaunchRequest asProgram; // how any other module starts the same text
    };
    const Case cases[] = {
        {u"@/bin/mstsc /v:server01"_s,
         PathSyntax::Posix,
         {u"@/bin/mstsc"_s, u"/v:server01"_s},
         {u"mstsc"_s, u"/v:server01"_s, u"@/bin"_s}},
        {u"@/bin/MsTsC  /v:\"a b\""_s,
         PathSyntax::Posix,
         {u"@/bin/MsTsC"_s, u"/v:\"a b\""_s},
         {u"MsTsC"_s, u"/v:\"a b\""_s, u"@/bin"_s}},
        {u"@/remote desk/mstsc /v:x y"_s,
         PathSyntax::Posix,
         {u"@/remote desk/mstsc"_s, u"/v:x y"_s},
         {u"mstsc"_s, u"/v:x y"_s, u"@/remote desk"_s}},
        {u"remote desk/mstsc"_s,
         PathSyntax::Posix,
         {u"@/remote desk/mstsc"_s, u""_s},
         {u"mstsc"_s, u""_s, u"@/remote desk"_s}},
        {u"C:\\Windows\\System32\\mstsc.exe /v:server01"_s,
         PathSyntax::Windows,
         {u"C:\\Windows\\System32\\mstsc.exe"_s, u"/v:server01"_s},
         {u"mstsc.exe"_s, u"/v:server01"_s, u"C:\\Windows\\System32"_s}},
        {u"C:\\Remote Desk\\mstsc.exe  /v:x y"_s,
         PathSyntax::Windows,
         {u"C:\\Remote Desk\\mstsc.exe"_s, u"/v:x y"_s},
         {u"mstsc.exe"_s, u"/v:x y"_s, u"C:\\Remote Desk"_s}},
    };
    for (const Case &c : cases) {
        const QString path = at(c.path);
        SCOPED_TRACE(path.toStdString());
        fresh(c.syntax);
        m_launcher->ChamarExecutavel(path, u"Caixa"_s);
        const CommandLineRequest expectedLine{at(c.asCommandLine.program), c.asCommandLine.arguments};
        EXPECT_EQ(m_starter->commandLines, QList<CommandLineRequest>{expectedLine});
        EXPECT_TRUE(m_notifier->boxes.isEmpty());
        EXPECT_TRUE(m_starter->programs.isEmpty());

        fresh(c.syntax);
        m_launcher->ChamarExecutavel(path, u"Gerencial"_s);
        EXPECT_TRUE(m_starter->commandLines.isEmpty());
        const LaunchRequest expected{c.asProgram.fileName, c.asProgram.parameters, at(c.asProgram.directory),
                                     expectedLine.program};
        EXPECT_EQ(m_starter->programs, QList<LaunchRequest>{expected});
        EXPECT_TRUE(m_notifier->boxes.isEmpty());
    }
}

TEST_F(ModuleLauncherTest, StartsTheProgramOncePerCall)
{
    m_launcher->ChamarExecutavel(at(u"@/apps/caixa -x"_s), u"Caixa"_s);
    m_launcher->ChamarExecutavel(at(u"@/apps/ger"_s), u"Help Desk"_s);
    m_launcher->ChamarExecutavel(at(u"@/apps/ger"_s), u"Help Desk"_s);

    const LaunchRequest caixa{u"caixa"_s, u"-x"_s, at(u"@/apps"_s), at(u"@/apps/caixa"_s)};
    const LaunchRequest ger{u"ger"_s, u""_s, at(u"@/apps"_s), at(u"@/apps/ger"_s)};
    EXPECT_EQ(m_starter->programs, (QList<LaunchRequest>{caixa, ger, ger}));
    EXPECT_TRUE(m_starter->commandLines.isEmpty());
    EXPECT_TRUE(m_notifier->boxes.isEmpty());
}

TEST_F(ModuleLauncherTest, AValidPathThatNamesNoFileStartsNothingSilently)
{
    fresh(PathSyntax::Windows);
    m_launcher->ChamarExecutavel(u"C:\\Apps\\x.exe\\"_s, u"Gerencial"_s);
    EXPECT_TRUE(m_notifier->boxes.isEmpty());
    EXPECT_TRUE(nothingStarted());
}

} // namespace
} // namespace menugeral
