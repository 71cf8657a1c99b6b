#include "TempDir.h"
#include "core/IniFile.h"
#include "core/ModuleCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace menugeral {
namespace {
using namespace Qt::StringLiterals;
using test::TempDir;

const QString kDefault = u"<default>"_s;

QString iniIn(const TempDir &dir, const QByteArray &bytes)
{
    return dir.writeFile(u"configuracoes.ini"_s, bytes);
}

QByteArray golden(const char *name)
{
    QFile file(QStringLiteral(MENUGERAL_TEST_DATA_DIR "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing golden file " << name;
    return file.readAll();
}

// ---- reading ---------------------------------------------------------------

struct ReadCase
{
    const char *name;
    QByteArray file;
    const char16_t *section;
    const char16_t *key;
    QString expected; // kDefault when the entry counts as missing
};

TEST(IniFileRead, FollowsThePrivateProfileRules)
{
    const ReadCase cases[] = {
        {"blanks around = and at the end", "[S]\r\nk \t=  \tC:\\a b\\x.exe /p  \t\r\n", u"S", u"k",
         u"C:\\a b\\x.exe /p"_s},
        {"double quotes taken off", "[S]\r\nk=\" a \"\r\n", u"S", u"k", u" a "_s},
        {"single quotes taken off", "[S]\r\nk= 'a' \r\n", u"S", u"k", u"a"_s},
        {"mismatched quotes kept", "[S]\r\nk=\"a'\r\n", u"S", u"k", u"\"a'"_s},
        {"a lone quote kept", "[S]\r\nk=\"\r\n", u"S", u"k", u"\""_s},
        {"only one pair taken off", "[S]\r\nk=\"\"a\"\"\r\n", u"S", u"k", u"\"a\""_s},
        {"quotes inside kept", "[S]\r\nk=a \"b\" c\r\n", u"S", u"k", u"a \"b\" c"_s},
        {"no-break space is not a blank", "[S]\r\nk=\xA0x\xA0\r\n", u"S", u"k", u"\u00A0x\u00A0"_s},
        {"empty value is empty, not missing", "[S]\r\nk=\r\n", u"S", u"k", QString()},
        {"value holding =", "[S]\r\nk=a=b\r\n", u"S", u"k", u"a=b"_s},
        {"key without = has no value", "[S]\r\nk\r\n", u"S", u"k", kDefault},
        {"key without = wins over a later one", "[S]\r\nk\r\nk=v\r\n", u"S", u"k", kDefault},
        {"first of two keys", "[S]\r\nk=1\r\nk=2\r\n", u"S", u"k", u"1"_s},
        {"first of two sections", "[S]\r\nk=1\r\n[S]\r\nk=2\r\n", u"S", u"k", u"1"_s},
        {"only the first of two sections", "[S]\r\nk=1\r\n[S]\r\nj=2\r\n", u"S", u"j", kDefault},
        {"key letter case", "[S]\r\nmodulo caixa=x\r\n", u"S", u"Modulo Caixa", u"x"_s},
        {"section letter case", "[GESTAOempresarial]\r\nk=x\r\n", u"GestaoEmpresarial", u"k", u"x"_s},
        {"accented letter case", "[S]\r\nMODULO VENDAS E SERVI\xC7OS=x\r\n", u"S", u"Modulo Vendas e Servi\u00e7os",
         u"x"_s},
        {"blank inside a key matters", "[S]\r\nModulo Help Desk=x\r\n", u"S", u"Modulo HelpDesk", kDefault},
        {"key of another section", "[A]\r\nk=1\r\n[B]\r\n", u"B", u"k", kDefault},
        {"missing section", "[A]\r\nk=1\r\n", u"B", u"k", kDefault},
        {"lines before the first section belong to none", "k=1\r\n[S]\r\n", u"S", u"k", kDefault},
        {"a comment is not a key", "[S]\r\n;k=1\r\n", u"S", u"k", kDefault},
        {"blanks inside the brackets ignored", "[ S\t]\r\nk=1\r\n", u"S", u"k", u"1"_s},
        {"text after ] ignored", "[S] ; note\r\nk=1\r\n", u"S", u"k", u"1"_s},
        {"header without ] names the rest", "[S \r\nk=1\r\n", u"S", u"k", u"1"_s},
        {"indented header and key", "  [S]\r\n\tk=1\r\n", u"S", u"k", u"1"_s},
        {"LF line ends", "[S]\nj=0\nk=1\n", u"S", u"k", u"1"_s},
        {"CR line ends", "[S]\rj=0\rk=1\r", u"S", u"k", u"1"_s},
        {"mixed line ends", "[S]\r\nj=0\nk=1\rz=2", u"S", u"k", u"1"_s},
        {"no final line break", "[S]\r\nk=1", u"S", u"k", u"1"_s},
        {"Windows-1252 text", "[S]\r\nk=\x80 \x99 \xE7\r\n", u"S", u"k", u"\u20AC \u2122 \u00E7"_s},
        {"undefined bytes", "[S]\r\nk=a\x81\x8D\r\n", u"S", u"k", u"a\u0081\u008D"_s},
    };
    TempDir dir;
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.name);
        const IniFile ini(iniIn(dir, c.file));
        EXPECT_EQ(ini.read(c.section, c.key, kDefault), c.expected);
    }
}

TEST(IniFileRead, ValuesAreCutTo2047Characters)
{
    TempDir dir;
    for (const int length : {2046, 2047, 2048, 10000}) {
        SCOPED_TRACE(length);
        const QByteArray value = QByteArray(length, 'v').append('w');
        for (const QByteArray &stored : {value, QByteArray('"' + value + '"')}) {
            const IniFile ini(iniIn(dir, "[S]\r\nk=" + stored + "\r\n"));
            const QString read = ini.read(u"S", u"k", kDefault);
            EXPECT_EQ(read.size(), std::min(length + 1, 2047));
            EXPECT_TRUE(QString::fromLatin1(value).startsWith(read));
        }
    }
}

TEST(IniFileRead, MissingOrUnreadableFileGivesTheDefault)
{
    TempDir dir;
    const IniFile missing(dir.filePath(u"configuracoes.ini"_s));
    EXPECT_EQ(missing.read(u"GestaoEmpresarial", u"Modulo Caixa", kDefault), kDefault);
    EXPECT_FALSE(QFileInfo::exists(missing.fileName())) << "reading creates nothing";

    ASSERT_TRUE(QDir(dir.path()).mkdir(u"pasta.ini"_s));
    const IniFile directory(dir.filePath(u"pasta.ini"_s));
    EXPECT_EQ(directory.read(u"GestaoEmpresarial", u"Modulo Caixa", kDefault), kDefault);
}

// ---- writing ---------------------------------------------------------------

struct Write
{
    const char16_t *section;
    const char16_t *key;
    QString value;
};

struct WriteCase
{
    const char *name;
    std::optional<QByteArray> file; // nothing: no file yet
    std::vector<Write> writes;
    QByteArray expected;
};

TEST(IniFileWrite, ChangesOnlyTheWrittenLines)
{
    const WriteCase cases[] = {
        {"replace in place",
         "; c\r\n[S]\r\na=1\r\nk=old\r\nb=2\r\n",
         {{u"S", u"k", u"new"_s}},
         "; c\r\n[S]\r\na=1\r\nk=new\r\nb=2\r\n"},
        {"odd-case key replaced in place, spelled as written",
         "[s]\r\nmodulo caixa = x\r\n",
         {{u"S", u"Modulo Caixa", u"y"_s}},
         "[s]\r\nModulo Caixa=y\r\n"},
        {"existing header kept as it stands", "[ s ] ; x\r\nk=1\r\n", {{u"S", u"k", u"2"_s}}, "[ s ] ; x\r\nk=2\r\n"},
        {"missing key after the last line of its section, before blank lines",
         "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n",
         {{u"A", u"k", u"v"_s}},
         "[A]\r\na=1\r\nk=v\r\n\r\n[B]\r\nb=1\r\n"},
        {"missing key after a comment closing its section",
         "[A]\r\na=1\r\n; tail\r\n[B]\r\n",
         {{u"A", u"k", u"v"_s}},
         "[A]\r\na=1\r\n; tail\r\nk=v\r\n[B]\r\n"},
        {"missing key into an empty section", "[A]\r\n[B]\r\n", {{u"A", u"k", u"v"_s}}, "[A]\r\nk=v\r\n[B]\r\n"},
        {"missing section appended, no blank line",
         "[A]\r\na=1\r\n",
         {{u"B", u"k", u"v"_s}},
         "[A]\r\na=1\r\n[B]\r\nk=v\r\n"},
        {"line break added before an appended section",
         "[A]\r\na=1",
         {{u"B", u"k", u"v"_s}},
         "[A]\r\na=1\r\n[B]\r\nk=v\r\n"},
        {"line break added before an appended key", "[A]\r\na=1", {{u"A", u"k", u"v"_s}}, "[A]\r\na=1\r\nk=v\r\n"},
        {"replaced last line gets a line break", "[A]\r\nk=1", {{u"A", u"k", u"2"_s}}, "[A]\r\nk=2\r\n"},
        {"missing file created",
         std::nullopt,
         {{u"A", u"a", u"1"_s}, {u"B", u"b", u"2"_s}, {u"A", u"c", u"3"_s}},
         "[A]\r\na=1\r\nc=3\r\n[B]\r\nb=2\r\n"},
        {"empty value", std::nullopt, {{u"S", u"k", QString()}}, "[S]\r\nk=\r\n"},
        {"blanks of a value written as given",
         std::nullopt,
         {{u"S", u"k", u"  C:\\x.exe  "_s}},
         "[S]\r\nk=  C:\\x.exe  \r\n"},
        {"first of two keys written", "[S]\r\nk=1\r\nk=2\r\n", {{u"S", u"k", u"9"_s}}, "[S]\r\nk=9\r\nk=2\r\n"},
        {"first of two sections written",
         "[S]\r\na=1\r\n[S]\r\nb=2\r\n",
         {{u"S", u"b", u"9"_s}},
         "[S]\r\na=1\r\nb=9\r\n[S]\r\nb=2\r\n"},
        {"key without = replaced", "[S]\nk\nz=1\n", {{u"S", u"k", u"v"_s}}, "[S]\nk=v\r\nz=1\n"},
        {"LF and CR lines kept, written line in CRLF",
         "[S]\na=1\nk=2\rb=3\r",
         {{u"S", u"k", u"4"_s}},
         "[S]\na=1\nk=4\r\nb=3\r"},
        {"same entry written twice", std::nullopt, {{u"S", u"k", u"1"_s}, {u"s", u"K", u"2"_s}}, "[S]\r\nK=2\r\n"},
        {"Windows-1252 bytes",
         std::nullopt,
         {{u"S", u"Modulo Vendas e Servi\u00e7os", u"C:\\A\u00e7\u00e3o\\\u20AC.exe"_s}},
         "[S]\r\nModulo Vendas e Servi\xE7os=C:\\A\xE7\xE3o\\\x80.exe\r\n"},
    };
    for (const WriteCase &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const QString fileName = c.file ? iniIn(dir, *c.file) : dir.filePath(u"configuracoes.ini"_s);
        IniFile ini(fileName);
        for (const Write &w : c.writes) {
            ini.write(w.section, w.key, w.value);
            EXPECT_EQ(ini.read(w.section, w.key, kDefault), w.value.trimmed()) << "read back before the save";
        }
        ASSERT_TRUE(ini.save()) << ini.errorString().toStdString();
        EXPECT_TRUE(ini.errorString().isEmpty());
        EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), c.expected);
    }
}

// ---- whole files -------------------------------------------------------------

// What the settings window holds in its nineteen fields, in catalogue order.
const std::array<QString, ModuleCatalogue::size> kPaths{
    u"C:\\QOR\\Gerencial.exe"_s,
    u"C:\\QOR\\Vendas e Servi\u00e7os\\VendServ.exe"_s,
    u"mstsc /v:caixa01 /f"_s,
    u"  C:\\QOR\\Pdv.exe  "_s,
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    {},
    u"\"C:\\QOR\\Help Desk\\hd.exe\""_s,
    u"C:\\QOR\\Contab.exe /x"_s,
    {},
    {},
    {},
    {},
    u"C:\\QOR\\Cia.exe"_s,
};

// The twenty entries of a save: the modules in catalogue order, then the empty option.
void writeTwentyEntries(IniFile &ini)
{
    for (std::size_t i = 0; i < ModuleCatalogue::size; ++i)
        ini.write(ModuleCatalogue::at(i).section, ModuleCatalogue::at(i).key, kPaths[i]);
    ini.write(kOtherOptionsSection, kImportNewsKey, QString());
}

TEST(IniFileGolden, SaveIntoAMissingFileWritesTheTwentyEntries)
{
    TempDir dir;
    IniFile ini(dir.filePath(u"configuracoes.ini"_s));
    writeTwentyEntries(ini);
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), golden("new_file.ini"));

    const IniFile reread(ini.fileName());
    EXPECT_EQ(reread.read(u"GestaoEmpresarial", u"Modulo Pdv", kDefault), u"C:\\QOR\\Pdv.exe");
    EXPECT_EQ(reread.read(u"GestaoEmpresarial", u"Modulo Help Desk", kDefault), u"C:\\QOR\\Help Desk\\hd.exe");
    EXPECT_EQ(reread.read(u"GestaoContabil", u"Modulo Lucro", kDefault), QString());
}

TEST(IniFileGolden, SaveIntoAForeignFileKeepsEveryLineItDoesNotWrite)
{
    TempDir dir;
    IniFile ini(iniIn(dir, golden("foreign_before.ini")));
    EXPECT_EQ(ini.read(u"GestaoEmpresarial", u"Modulo Gerencial", kDefault), u"C:\\Antigo\\Gerencial.exe");
    EXPECT_EQ(ini.read(u"GestaoEmpresarial", u"Modulo Vendas e Servi\u00e7os", kDefault),
              u"C:\\QOR\\Vendas\\VendServ.exe");
    EXPECT_EQ(ini.read(u"GestaoContabil", u"Modulo Contabilidade", kDefault), u"C:\\QOR\\Contab.exe");
    EXPECT_EQ(ini.read(u"GestaoContabil", u"Modulo Cia", kDefault), kDefault);
    writeTwentyEntries(ini);
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), golden("foreign_after.ini"));
}

TEST(IniFileUtf8, AFileWithAByteOrderMarkStaysUtf8)
{
    TempDir dir;
    const QString fileName = iniIn(dir, "\xEF\xBB\xBF[GestaoEmpresarial]\r\n"
                                        "Modulo Vendas e Servi\xC3\xA7os=C:\\A\xC3\xA7\xC3\xA3o.exe\r\n"
                                        "; coment\xC3\xA1rio \x81\n");
    IniFile ini(fileName);
    EXPECT_EQ(ini.read(u"GestaoEmpresarial", u"MODULO VENDAS E SERVI\u00c7OS", kDefault), u"C:\\A\u00e7\u00e3o.exe");
    ini.write(u"GestaoEmpresarial", u"Modulo Vendas e Servi\u00e7os", u"C:\\\u4E2D\u6587\\\u20AC.exe"_s);
    ini.write(u"OutrasConfiguracoes", u"Importar Not\u00edcias", QString());
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), QByteArray("\xEF\xBB\xBF[GestaoEmpresarial]\r\n"
                                                               "Modulo Vendas e Servi\xC3\xA7os=C:\\\xE4\xB8\xAD\xE6"
                                                               "\x96\x87\\\xE2\x82\xAC.exe\r\n"
                                                               "; coment\xC3\xA1rio \x81\n"
                                                               "[OutrasConfiguracoes]\r\n"
                                                               "Importar Not\xC3\xAD"
                                                               "cias=\r\n"));
    EXPECT_EQ(IniFile(fileName).read(u"GestaoEmpresarial", u"Modulo Vendas e Servi\u00e7os", kDefault),
              u"C:\\\u4E2D\u6587\\\u20AC.exe");
}

TEST(IniFileUtf8, AByteOrderMarkAloneIsAnEmptyUtf8File)
{
    TempDir dir;
    IniFile ini(iniIn(dir, "\xEF\xBB\xBF"));
    ini.write(u"S", u"k", u"\u00e7"_s);
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), QByteArray("\xEF\xBB\xBF[S]\r\nk=\xC3\xA7\r\n"));
}

} // namespace
} // namespace menugeral
