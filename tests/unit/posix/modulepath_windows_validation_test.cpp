// Windows module paths validated on a POSIX file system, where "\\" is an
// ordinary character of a file name.
#include "TempDir.h"
#include "core/ModulePath.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

// Validation asks the file system. The files live in a temporary directory
// that is the current one, under names that hold backslashes, so that
// "C:\Apps\x.exe" is a real relative name on a POSIX file system.
class WindowsPathValidation : public testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
        for (const QString &name : {u"C:\\Apps\\Caixa\\caixa.exe"_s, u"C:\\Apps\\x.exe"_s, u"C:\\Apps\\Mixed.Exe"_s,
                                    u"C:\\Apps\\readme.txt"_s, u"C:\\Windows\\System32\\mstsc.exe"_s,
                                    u"C:\\Apps\\my prog.exe"_s, u"C:/Apps/x.exe"_s})
            m_dir.writeFile(name, "MZ");
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"C:\\Apps\\dir.exe"_s));
    }
    void TearDown() override
    {
        if (!m_previous.isEmpty())
            QDir::setCurrent(m_previous);
    }

    test::TempDir m_dir;
    QString m_previous;
};

TEST_F(WindowsPathValidation, AcceptsOnlyAnExistingFileUpToTheFirstExe)
{
    struct Case
    {
        QString path;
        bool valid;
    };
    const QString absolute = m_dir.filePath(u"C:\\Apps\\x.exe"_s);
    const Case cases[] = {
        {u"C:\\Apps\\Caixa\\caixa.exe"_s, true},
        {u"C:\\Apps\\x.exe /cfg"_s, true}, // switches are ignored
        {u"C:\\Apps\\x.exe -cfg"_s, true},
        {u"C:\\Apps\\x.exeLOG"_s, true}, // only the text up to ".EXE" is looked up
        {u"C:/Apps/x.exe"_s, true},      // the file system takes "/" as a separator
        {u"C:\\Apps\\x.exe\\"_s, true},  // valid, though it names no file
        {u"C:\\Apps\\my prog.exe"_s, true},
        {u"C:\\Apps\\Mixed.Exe"_s, true}, // looked up with the letters as typed
        {u"C:\\Windows\\System32\\mstsc.exe /v:server01"_s, true},
        {u"c:\\apps\\x.exe"_s, false},   // a case-sensitive file system holds no such name
        {u"C:\\Apps\\dir.exe"_s, false}, // a directory
        {u"C:\\Apps\\missing.exe"_s, false},
        {u"C:\\Apps\\readme.txt"_s, false}, // no ".EXE"
        {u"C:\\Apps\\x.ex"_s, false},
        {u"mstsc.exe /v:x"_s, false}, // a bare name is looked for in the current directory only
        {u""_s, false},
        {u"C:\\Apps\\x.exe\u0000"_s, true}, // the NUL stands after the ".EXE" cut
        {u"C:\\Apps\\x\u0000.exe"_s, false},
        // Nothing before the first "/" names a program, even when the whole
        // text is the absolute name of an existing file.
        {absolute, false},
        {u"  "_s + absolute, false},
    };
    ASSERT_TRUE(QFile::exists(absolute));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(ValidarCaminho(c.path, PathSyntax::Windows), c.valid);
    }
}

TEST_F(WindowsPathValidation, StateSaysWhyAPathCannotStart)
{
    const std::pair<QString, PathState> cases[] = {
        {u"C:\\Apps\\x.exe /cfg"_s, PathState::Startable},
        {u""_s, PathState::Empty},
        {u"C:\\Apps\\readme.txt"_s, PathState::Invalid}, // no ".EXE"
        {u"C:\\Apps\\dir.exe"_s, PathState::Invalid},
        {u"/x.exe"_s, PathState::Invalid}, // nothing before the switches
        {u"C:\\Apps\\missing.exe"_s, PathState::NotFound},
    };
    for (const auto &[path, state] : cases) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(parsePath(path, PathSyntax::Windows).state, state);
    }
}

} // namespace
} // namespace menugeral
