#include "TempDir.h"
#include "core/ModulePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

constexpr QFile::Permissions kExecutable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                           QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;

// Module paths in POSIX syntax, checked against real files in a temporary
// directory that is also the current directory and the home directory.
// "@" in the tables stands for that directory.
class PosixModulePath : public testing::Test
{
protected:
    void SetUp() override
    {
        m_base = QFileInfo(m_dir.path()).canonicalFilePath();
        m_previousDir = QDir::currentPath();
        m_previousHome = qgetenv("HOME");
        ASSERT_TRUE(QDir::setCurrent(m_base));
        qputenv("HOME", QFile::encodeName(m_base));

        for (const QString &name : {u"my apps/bin/prog"_s, u"tools/run"_s, u"run-here"_s, u"apps.exe.d/prog"_s,
                                    u"pair run"_s, u"with \"quote\"/prog"_s, u"win/run"_s})
            executable(name);
        for (const QString &name :
             {u"win/tool.exe"_s, u"win/TOOL.EXE"_s, u"win/run setup.exe"_s, u"notes"_s, u"pair"_s})
            m_dir.writeFile(name, "data");
        ASSERT_TRUE(QDir(m_base).mkpath(u"my"_s)); // a directory that is a prefix of "my apps"
        ASSERT_TRUE(QDir(m_base).mkpath(u"folder"_s));
        ASSERT_TRUE(QDir(m_base).mkpath(u"folder.exe"_s));
    }
    void TearDown() override
    {
        if (!m_previousDir.isEmpty())
            QDir::setCurrent(m_previousDir);
        qputenv("HOME", m_previousHome);
    }

    void executable(const QString &name)
    {
        const QString full = m_dir.writeFile(name, "#!/bin/sh\n");
        ASSERT_TRUE(QFile::setPermissions(full, kExecutable));
    }
    QString at(QString text) const { return text.replace(u'@', m_base); }

    test::TempDir m_dir;
    QString m_base;
    QString m_previousDir;
    QByteArray m_previousHome;
};

TEST_F(PosixModulePath, ValidatesAndSplits)
{
    struct Case
    {
        QString path;
        bool valid;
        LaunchRequest expected; // file name, parameters, directory
    };
    const Case cases[] = {
        // Blanks inside directory names: the shortest prefix that is a program.
        {u"@/my apps/bin/prog"_s, true, {u"prog"_s, u""_s, u"@/my apps/bin"_s}},
        {u"@/my apps/bin/prog -x --name=a"_s, true, {u"prog"_s, u"-x --name=a"_s, u"@/my apps/bin"_s}},
        // A non-executable regular prefix does not stop the search for a program.
        {u"@/pair run now"_s, true, {u"pair run"_s, u"now"_s, u"@"_s}},
        // Arguments stay one text, quotes included; leading and trailing blanks.
        {u"@/tools/run -a \"two words\" 'x'"_s, true, {u"run"_s, u"-a \"two words\" 'x'"_s, u"@/tools"_s}},
        {u"@/tools/run   "_s, true, {u"run"_s, u""_s, u"@/tools"_s}},
        {u"@/tools/run \t -v"_s, true, {u"run"_s, u"-v"_s, u"@/tools"_s}},
        {u"@/with \"quote\"/prog 1"_s, true, {u"prog"_s, u"1"_s, u"@/with \"quote\""_s}},
        // Windows programs need not be executable; ".exe" in any letter case
        // ends the program part, even without a blank after it.
        {u"@/win/tool.exe /cfg"_s, true, {u"tool.exe"_s, u"/cfg"_s, u"@/win"_s}},
        {u"@/win/TOOL.EXE"_s, true, {u"TOOL.EXE"_s, u""_s, u"@/win"_s}},
        {u"@/win/tool.exe/cfg"_s, true, {u"tool.exe"_s, u"/cfg"_s, u"@/win"_s}},
        // An existing ".exe" cut wins over a shorter program before a blank.
        {u"@/win/run setup.exe /q"_s, true, {u"run setup.exe"_s, u"/q"_s, u"@/win"_s}},
        // ".exe" inside a directory name is no program's end.
        {u"@/apps.exe.d/prog -q"_s, true, {u"prog"_s, u"-q"_s, u"@/apps.exe.d"_s}},
        // Relative names are found in the current directory; "~/" is the home directory.
        {u"tools/run a"_s, true, {u"run"_s, u"a"_s, u"@/tools"_s}},
        {u"run-here"_s, true, {u"run-here"_s, u""_s, u"@"_s}},
        {u"./run-here x"_s, true, {u"run-here"_s, u"x"_s, u"@"_s}},
        {u"~/tools/run -v"_s, true, {u"run"_s, u"-v"_s, u"@/tools"_s}},
        // Invalid: not executable, a directory, missing, another letter case.
        {u"@/notes"_s, false, {u"notes"_s, u""_s, u"@"_s}},
        {u"@/folder"_s, false, {u"folder"_s, u""_s, u"@"_s}},
        {u"@/folder.exe"_s, false, {u"folder.exe"_s, u""_s, u"@"_s}},
        {u"@/missing -a"_s, false, {u"missing"_s, u"-a"_s, u"@"_s}},
        {u"@/Tools/run"_s, false, {u"run"_s, u""_s, u"@/Tools"_s}},
        {u"@/win/tool.EXE"_s, false, {u"tool.EXE"_s, u""_s, u"@/win"_s}},
        {u"@/tools/"_s, false, {u""_s, u""_s, u"@/tools"_s}},
        {u"~run-here"_s, false, {u"~run-here"_s, u""_s, u"@"_s}},
        {u""_s, false, {}},
        // A program at the top of the tree lies in "/".
        {u"/nowhere.exe /a"_s, false, {u"nowhere.exe"_s, u"/a"_s, u"/"_s}},
    };
    for (const Case &c : cases) {
        const QString path = at(c.path);
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(ValidarCaminho(path, PathSyntax::Posix), c.valid);
        const LaunchRequest got = ExtrairDadosCaminho(path, PathSyntax::Posix);
        EXPECT_EQ(got.fileName, c.expected.fileName);
        EXPECT_EQ(got.parameters, c.expected.parameters);
        EXPECT_EQ(got.directory, at(c.expected.directory));
    }
}

} // namespace
} // namespace menugeral

namespace menugeral {
namespace {

TEST_F(PosixModulePath, StateSaysWhyAPathCannotStart)
{
    const std::pair<QString, PathState> cases[] = {
        {u"@/my apps/bin/prog -x"_s, PathState::Startable},
        {u"@/win/tool.exe /cfg"_s, PathState::Startable},
        {u""_s, PathState::Empty},
        {u"   "_s, PathState::Invalid},
        {u"@/folder -a"_s, PathState::Invalid},
        {u"@/folder.exe"_s, PathState::Invalid},
        {u"@/tools/"_s, PathState::Invalid},
        {u"@/missing -a"_s, PathState::NotFound},
        {u"@/Tools/run"_s, PathState::NotFound},
        {u"@/win/tool.EXE"_s, PathState::NotFound},
        {u"@/notes"_s, PathState::NotExecutable},
        {u"~/notes --flag"_s, PathState::NotExecutable},
    };
    for (const auto &[path, state] : cases) {
        SCOPED_TRACE(at(path).toStdString());
        EXPECT_EQ(parsePath(at(path), PathSyntax::Posix).state, state);
    }
}

} // namespace
} // namespace menugeral
