#include "IniFileSaveSupport.h"
#include "TempDir.h"
#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;
using namespace test::inifile_save;
using test::TempDir;

TEST(IniFileSave, RefusesWhatTheFileCannotStoreOrReadBack)
{
    const struct
    {
        const char *name;
        QString section;
        QString key;
        QString value;
    } cases[] = {
        {"CR in a value", kSection.toString(), kKey.toString(), u"C:\\a.exe\r[Outra]"_s},
        {"LF in a value", kSection.toString(), kKey.toString(), u"C:\\a.exe\nModulo Pdv=x"_s},
        {"CRLF in a key", kSection.toString(), u"Modulo\r\nCaixa"_s, u"x"_s},
        {"NUL in a value", kSection.toString(), kKey.toString(), u"C:\\a.exe"_s + QChar(u'\0') + u"x"_s},
        {"LF in a section", u"Gestao\nEmpresarial"_s, kKey.toString(), u"x"_s},
        {"NUL in a section", u"Gestao"_s + QChar(u'\0'), kKey.toString(), u"x"_s},
        {"CJK in a value", kSection.toString(), kKey.toString(), u"C:\\\u4E2D\u6587.exe"_s},
        {"character without a byte in a key", kSection.toString(), u"Modulo \u0100"_s, u"x"_s},
        {"lone surrogate in a section", QString(QChar(u'\xDC00')), kKey.toString(), u"x"_s},
        // Names that would read back as others, or turn the line into a header or a comment.
        {"] in a section", u"Gestao]Empresarial"_s, kKey.toString(), u"x"_s},
        {"= in a key", kSection.toString(), u"Modulo=Caixa"_s, u"x"_s},
        {"key starting with [", kSection.toString(), u" [Outra]"_s, u"x"_s},
        {"key starting with ;", kSection.toString(), u";Modulo"_s, u"x"_s},
    };
    for (const auto &c : cases) {
        for (const bool fileExists : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (fileExists ? ", existing file" : ", no file"));
            TempDir dir;
            IniFile ini(fileExists ? dir.writeFile(kFileName, kOriginal) : dir.filePath(kFileName));
            ini.write(c.section, c.key, c.value);
            EXPECT_EQ(ini.read(kSection, kKey, u"none"_s), fileExists ? u"C:\\QOR\\Caixa.exe"_s : u"none"_s);
            ini.write(kSection, u"Modulo Pdv", u"C:\\Pdv.exe"_s); // a good write does not lift the refusal
            expectRefused(ini, dir, fileExists ? std::optional(kOriginal) : std::nullopt);
        }
    }
}

TEST(IniFileSave, RefusesALoneSurrogateInAUtf8File)
{
    TempDir dir;
    const QByteArray utf8 = "\xEF\xBB\xBF[GestaoEmpresarial]\r\nModulo Caixa=x\r\n";
    IniFile ini(dir.writeFile(kFileName, utf8));
    ini.write(kSection, kKey, u"C:\\"_s + QChar(u'\xD800') + u".exe"_s);
    expectRefused(ini, dir, utf8);
}

TEST(IniFileSave, FailsWhereNoFileCanBeWritten)
{
    TempDir dir;
    IniFile inMissingDirectory(dir.filePath(u"nao/existe/"_s + kFileName));
    inMissingDirectory.write(kSection, kKey, u"x"_s);
    EXPECT_FALSE(inMissingDirectory.save());
    EXPECT_EQ(inMissingDirectory.errorString(), u"Unable to write to "_s + inMissingDirectory.fileName());

    ASSERT_TRUE(QDir(dir.path()).mkdir(kFileName));
    IniFile directory(dir.filePath(kFileName));
    directory.write(kSection, kKey, u"x"_s);
    EXPECT_FALSE(directory.save());
    EXPECT_EQ(directory.errorString(), u"Unable to write to "_s + directory.fileName());
    EXPECT_TRUE(QFileInfo(directory.fileName()).isDir());
}

} // namespace
} // namespace menugeral

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;
using namespace test::inifile_save;
using test::TempDir;

// A file of any size is answered from its size alone: a 1 TiB sparse file
// must neither be read nor make the save replace what was never seen.
TEST(IniFileRead, AFileAboveTheBoundIsRefusedUnreadWithItsSize)
{
    for (const qint64 size : {IniFile::kMaxFileSize, IniFile::kMaxFileSize + 1, qint64(1) << 40}) {
        SCOPED_TRACE(size);
        TempDir dir;
        const QString fileName = dir.writeFile(kFileName, kOriginal);
        if (!QFile::resize(fileName, size))
            GTEST_SKIP() << "this file system holds no file of " << size << " bytes";
        IniFile ini(fileName);
        if (size == IniFile::kMaxFileSize) {
            EXPECT_EQ(ini.problem(), QString());
            EXPECT_EQ(ini.read(kSection, kKey, {}).left(16), u"C:\\QOR\\Caixa.exe");
            continue;
        }
        EXPECT_EQ(ini.refusal().kind, FileRefusal::Kind::TooLarge);
        EXPECT_TRUE(ini.problem().contains(QDir::toNativeSeparators(fileName)) || ini.problem().contains(fileName));
        EXPECT_TRUE(ini.problem().contains(QString::number(size))) << ini.problem().toStdString();
        EXPECT_EQ(ini.read(kSection, kKey, u"none"_s), u"none"_s);
        ini.write(kSection, kKey, u"C:\\Novo.exe"_s);
        EXPECT_FALSE(ini.save());
        EXPECT_EQ(ini.errorString(), u"Unable to write to "_s + fileName);
        EXPECT_EQ(QFileInfo(fileName).size(), size);
    }
}

} // namespace
} // namespace menugeral
