// Windows module paths validated against the Windows file system itself:
// drive letters, "\" and "/" as separators, letter case ignored.
#include "TempDir.h"
#include "core/ModulePath.h"

#include <QDir>

#include <gtest/gtest.h>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;

TEST(WindowsPathValidation, AcceptsOnlyAnExistingFileUpToTheFirstExe)
{
    test::TempDir dir;
    for (const QString &name :
         {u"Apps/Caixa/caixa.exe"_s, u"Apps/x.exe"_s, u"Apps/my prog.exe"_s, u"Apps/readme.txt"_s, u"here.exe"_s})
        dir.writeFile(name, "MZ");
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"Apps/dir.exe"_s));
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));

    // "@" stands for the directory, in Windows's own form (C:\...).
    const QString base = QDir::toNativeSeparators(dir.path());
    ASSERT_TRUE(base.at(1) == u':' && base.contains(u'\\')) << base.toStdString();
    const struct
    {
        QString path;
        bool valid;
    } cases[] = {
        {u"@\\Apps\\Caixa\\caixa.exe"_s, true},
        {u"@\\Apps\\x.exe /cfg \"a b\""_s, true},
        {u"@\\APPS\\X.EXE"_s, true}, // the file system ignores letter case
        {u"@\\Apps\\x.exe\\"_s, true},
        {u"@\\Apps\\my prog.exe"_s, true},
        {QDir::fromNativeSeparators(base) + u"/Apps/x.exe"_s, true},
        {u"here.exe /v:x"_s, true}, // a bare name: the current directory
        {u"@\\Apps\\dir.exe"_s, false},
        {u"@\\Apps\\missing.exe"_s, false},
        {u"@\\Apps\\readme.txt"_s, false},
        {u"missing.exe /v:x"_s, false},
        {u""_s, false},
    };
    for (const auto &c : cases) {
        const QString path = QString(c.path).replace(u'@', base);
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(ValidarCaminho(path, PathSyntax::Windows), c.valid);
    }
    QDir::setCurrent(previous);
}

} // namespace
} // namespace menugeral
