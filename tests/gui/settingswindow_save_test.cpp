#include "QtPrinters.h"
#include "SettingsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

using namespace menugeral;
using namespace menugeral::test;
using namespace Qt::StringLiterals;

namespace {

using SettingsSaveTest = SettingsWindowTest;

void clickSave(TfrmConfiguracoes &window)
{
    childNamed<QPushButton>(window, u"bitSalvar"_s)->click();
}

QList<QByteArray> nonBlankLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeIf([](const QByteArray &line) { return line.isEmpty() || line == "\r"; });
    return lines;
}

TEST_F(SettingsSaveTest, LoadsKeysWhateverTheirLetterCaseAndLeavesMissingOnesEmpty)
{
    dir.writeFile(u"configuracoes.ini"_s, "[gestaoempresarial]\r\n"
                                          "MODULO CAIXA = /opt/caixa/caixa \r\n"
                                          "modulo help desk=/opt/hd/hd\r\n"
                                          "Modulo Vendas e Servi\xe7os=/opt/vendas e servi\xe7os/vs\r\n"
                                          "[GESTAOCONTABIL]\r\n"
                                          "Modulo cia=\"/opt/cia/cia /x\"\r\n"
                                          "[OutrasConfiguracoes]\r\n"
                                          "Modulo Pdv=/not/its/section\r\n");
    auto window = openWindow();
    const std::pair<const char16_t *, QString> loaded[] = {
        {u"edtModCaixa", u"/opt/caixa/caixa"_s},
        {u"edtModHelpDesk", u"/opt/hd/hd"_s},
        {u"edtModVendServ", u"/opt/vendas e servi\u00e7os/vs"_s},
        {u"edtModCia", u"/opt/cia/cia /x"_s},
    };
    for (const auto &[name, text] : loaded)
        EXPECT_EQ(edit(*window, QString::fromUtf16(name))->text(), text);
    qsizetype nonEmpty = 0;
    for (QLineEdit *field : window->findChildren<QLineEdit *>())
        nonEmpty += field->text().isEmpty() ? 0 : 1;
    EXPECT_EQ(nonEmpty, qsizetype(std::size(loaded))) << "every other field is empty";
    EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
}

TEST_F(SettingsSaveTest, SavingWithoutAFileWritesEveryEntryInOrderAndCloses)
{
    auto window = openWindow();
    edit(*window, u"edtModGerencial"_s)->setText(u"/opt/QOR/gerencial  /a"_s);
    edit(*window, u"edtModVendServ"_s)->setText(u"/opt/Vendas e Servi\u00e7os/vs"_s);
    edit(*window, u"edtModCaixa"_s)->setText(u"mstsc /v:caixa \u20ac"_s);
    edit(*window, u"edtModConferencia"_s)->setText(u"/opt/conf"_s);
    clickSave(*window);

    const QByteArray bytes = dir.readFile(u"configuracoes.ini"_s);
    const QList<QByteArray> expected = {
        "[GestaoEmpresarial]\r",
        "Modulo Gerencial=/opt/QOR/gerencial  /a\r",
        "Modulo Vendas e Servi\xe7os=/opt/Vendas e Servi\xe7os/vs\r",
        "Modulo Caixa=mstsc /v:caixa \x80\r",
        "Modulo Pdv=\r",
        "Modulo Cooper=\r",
        "Modulo Ondaro=\r",
        "Modulo Conferencia=/opt/conf\r",
        "Modulo Industrial=\r",
        "Modulo Relacionamentos=\r",
        "Modulo Light=\r",
        "Modulo Free=\r",
        "Modulo Finance=\r",
        "Modulo Help Desk=\r",
        "[GestaoContabil]\r",
        "Modulo Contabilidade=\r",
        "Modulo Escrita Fiscal=\r",
        "Modulo Folha de Pagamento=\r",
        "Modulo Lucro=\r",
        "Modulo Controller=\r",
        "Modulo Cia=\r",
        "[OutrasConfiguracoes]\r",
        "Importar Not\xed"
        "cias=\r",
    };
    EXPECT_EQ(nonBlankLines(bytes), expected);
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << "every line ends in CR LF";
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_FALSE(window->isVisible());
    expectFormCloseRan(1);
    EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
}

TEST_F(SettingsSaveTest, SavingReplacesValuesInPlaceAndKeepsEveryOtherLine)
{
    // Every entry present, out of table order, among lines the save does not own.
    const QByteArray before = "; gerado \xe0 m\xe3o\r\n"
                              "[GestaoContabil]\r\n"
                              "Modulo Cia=/velho/cia\r\n"
                              "Modulo Contabilidade=/velho/contab\r\n"
                              "Modulo Escrita Fiscal=\r\n"
                              "Modulo Folha de Pagamento=\r\n"
                              "Modulo Lucro=\r\n"
                              "Modulo Controller=\r\n"
                              "\r\n"
                              "[Estrangeira]\r\n"
                              "Chave=valor\r\n"
                              "\r\n"
                              "[GestaoEmpresarial]\r\n"
                              "Modulo Help Desk=/velho/hd\r\n"
                              "Modulo Gerencial=/velho/ger\r\n"
                              "Modulo Vendas e Servi\xe7os=\r\n"
                              "Modulo Caixa=\r\n"
                              "Modulo Pdv=\r\n"
                              "Modulo Cooper=\r\n"
                              "Modulo Ondaro=\r\n"
                              "Modulo Conferencia=\r\n"
                              "Modulo Industrial=\r\n"
                              "Modulo Relacionamentos=\r\n"
                              "Modulo Light=\r\n"
                              "Modulo Free=\r\n"
                              "Modulo Finance=\r\n"
                              "Outra Chave=fica\r\n"
                              "\r\n"
                              "[OutrasConfiguracoes]\r\n"
                              "Janela Padr\xe3o=1\r\n"
                              "Importar Not\xed"
                              "cias=sim\r\n"
                              "Local Not\xed"
                              "cias=\\\\servidor\\not\xed"
                              "cias\r\n";
    dir.writeFile(u"configuracoes.ini"_s, before);
    auto window = openWindow();
    EXPECT_EQ(edit(*window, u"edtModCia"_s)->text(), u"/velho/cia"_s);
    edit(*window, u"edtModCia"_s)->setText(u"/novo/cia \u00e9"_s);
    edit(*window, u"edtModGerencial"_s)->clear();
    edit(*window, u"edtModPdv"_s)->setText(u"/novo/pdv"_s);
    clickSave(*window);

    QByteArray expected = before;
    expected.replace("Modulo Cia=/velho/cia", "Modulo Cia=/novo/cia \xe9")
        .replace("Modulo Gerencial=/velho/ger", "Modulo Gerencial=")
        .replace("Modulo Pdv=", "Modulo Pdv=/novo/pdv")
        .replace("Importar Not\xed"
                 "cias=sim",
                 "Importar Not\xed"
                 "cias=");
    EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), expected);
    expectFormCloseRan(1);
}

TEST_F(SettingsSaveTest, AKeyInAnotherLetterCaseIsReplacedNotAdded)
{
    dir.writeFile(u"configuracoes.ini"_s, "[gestaoempresarial]\r\nmodulo caixa=/velho/caixa\r\n");
    auto window = openWindow();
    EXPECT_EQ(edit(*window, u"edtModCaixa"_s)->text(), u"/velho/caixa"_s);
    edit(*window, u"edtModCaixa"_s)->setText(u"/novo/caixa"_s);
    clickSave(*window);

    const QString text = QString::fromLatin1(dir.readFile(u"configuracoes.ini"_s));
    const QRegularExpression caixa(u"^modulo caixa=(.*)\r$"_s,
                                   QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    QStringList values;
    for (auto it = caixa.globalMatch(text); it.hasNext();)
        values.append(it.next().captured(1));
    EXPECT_EQ(values, QStringList{u"/novo/caixa"_s});
    EXPECT_EQ(text.count(u"[gestaoempresarial]"_s, Qt::CaseInsensitive), 1);
}

// Runs an action when it goes.
class Deferred
{
public:
    Deferred() = default;
    explicit Deferred(std::function<void()> action) : m_action(std::move(action)) {}
    Deferred(Deferred &&other) noexcept : m_action(std::exchange(other.m_action, {})) {}
    Deferred &operator=(Deferred &&) = delete;
    Deferred(const Deferred &) = delete;
    Deferred &operator=(const Deferred &) = delete;
    ~Deferred()
    {
        if (m_action)
            m_action();
    }

private:
    std::function<void()> m_action;
};

// What keeps a save into the program directory from succeeding: made with the
// old file (if the case has one) in place, mended by `mend`, and what must go
// before the directory can (a mount) goes with `cleanup`.
struct Fault
{
    std::string skipReason; // not empty: this machine cannot make the fault
    std::function<void()> mend;
    Deferred cleanup;
};

const QByteArray kOldFile = "[GestaoEmpresarial]\r\nModulo Caixa=/velho/caixa\r\n";
constexpr const char *kNoMount = "cannot mount a tmpfs here (needs root with CAP_SYS_ADMIN and the mount program)";

bool run(const QString &program, const QStringList &arguments)
{
    return QProcess::execute(program, arguments) == 0;
}

Fault immutable(const QString &path)
{
    auto guard = std::make_shared<Immutable>(path);
    if (!guard->isSet())
        return {kNoImmutable, {}, {}};
    return {{}, [guard]() mutable { guard.reset(); }, {}};
}

// A small tmpfs over the directory, holding the old file.
std::optional<Deferred> mountTmpfs(const TempDir &dir)
{
    if (!run(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=64k"_s, u"tmpfs"_s, dir.path()}))
        return std::nullopt;
    dir.writeFile(u"configuracoes.ini"_s, kOldFile);
    return Deferred([path = dir.path()] { run(u"umount"_s, {path}); });
}

Fault fullFileSystem(const TempDir &dir)
{
    std::optional<Deferred> mount = mountTmpfs(dir);
    if (!mount)
        return {kNoMount, {}, {}};
    QFile filler(dir.filePath(u"filler"_s));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {"cannot write the filler file", {}, std::move(*mount)};
    for (const qint64 chunk : {qint64(4096), qint64(1)}) {
        const QByteArray bytes(chunk, '\0');
        while (filler.write(bytes) == chunk) {
        }
    }
    filler.close();
    return {{}, [name = filler.fileName()] { QFile::remove(name); }, std::move(*mount)};
}

Fault readOnlyMount(const TempDir &dir)
{
    std::optional<Deferred> mount = mountTmpfs(dir);
    if (!mount || !run(u"mount"_s, {u"-o"_s, u"remount,ro"_s, dir.path()}))
        return {kNoMount, {}, {}};
    return {{}, [path = dir.path()] { run(u"mount"_s, {u"-o"_s, u"remount,rw"_s, path}); }, std::move(*mount)};
}

Fault symbolicLinks(const TempDir &dir, const QList<std::pair<QString, QString>> &links, std::function<void()> mend)
{
    for (const auto &[name, target] : links) {
        // Where the system has no symbolic links, QFile::link makes a shortcut.
        if (!QFile::link(target, dir.filePath(name)) || !QFileInfo(dir.filePath(name)).isSymbolicLink())
            return {"cannot make symbolic links here", {}, {}};
    }
    return {{}, std::move(mend), {}};
}

struct FaultCase
{
    const char *name;
    Fault (*make)(const TempDir &dir);

    friend void PrintTo(const FaultCase &c, std::ostream *out) { *out << c.name; }
};

const FaultCase kFaults[] = {
    {"ImmutableFile",
     [](const TempDir &dir) {
         return immutable(dir.writeFile(u"configuracoes.ini"_s, kOldFile));
     }},
    {"ImmutableDirectory",
     [](const TempDir &dir) {
         dir.writeFile(u"configuracoes.ini"_s, kOldFile);
         return immutable(dir.path());
     }},
    {"ImmutableDirectoryWithoutFile",
     [](const TempDir &dir) {
         return immutable(dir.path());
     }},
    {"FullFileSystem", fullFileSystem},
    {"ReadOnlyMount", readOnlyMount},
    {"NameIsADirectory",
     [](const TempDir &dir) {
         dir.writeFile(u"configuracoes.ini/dentro.txt"_s, "x");
         const QString name = dir.filePath(u"configuracoes.ini"_s);
         return Fault{{}, [name] { QDir(name).removeRecursively(); }, {}};
     }},
    {"DanglingSymbolicLink",
     [](const TempDir &dir) {
         return symbolicLinks(dir, {{u"configuracoes.ini"_s, u"faltando/configuracoes.ini"_s}},
                              [&dir] { QDir(dir.path()).mkdir(u"faltando"_s); });
     }},
    {"SymbolicLinkLoop",
     [](const TempDir &dir) {
         return symbolicLinks(dir, {{u"configuracoes.ini"_s, u"laco.ini"_s}, {u"laco.ini"_s, u"configuracoes.ini"_s}},
                              [&dir] {
                                  QFile::remove(dir.filePath(u"configuracoes.ini"_s));
                                  QFile::remove(dir.filePath(u"laco.ini"_s));
                              });
     }},
};

// Every entry of the directory as the file system has it: kind, link target, bytes.
QStringList snapshot(const TempDir &dir)
{
    QStringList entries;
    for (const QFileInfo &entry :
         QDir(dir.path()).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QString line = entry.fileName();
        if (entry.isSymLink())
            line += u" -> "_s + entry.symLinkTarget();
        else if (entry.isDir())
            line += u"/ "_s + QDir(entry.filePath()).entryList(QDir::Files).join(u' ');
        else
            line += u" = "_s + QString::fromLatin1(dir.readFile(entry.fileName()).toHex());
        entries.append(line);
    }
    return entries;
}

class SettingsSaveFaultTest : public SettingsWindowTest, public ::testing::WithParamInterface<FaultCase>
{};

TEST_P(SettingsSaveFaultTest, AFailedSaveShowsTheErrorAndKeepsTheWindowAndTheFile)
{
    Fault fault = GetParam().make(dir);
    if (!fault.skipReason.empty())
        GTEST_SKIP() << fault.skipReason;
    auto window = openWindow();
    edit(*window, u"edtModCaixa"_s)->setText(u"/novo/caixa"_s);
    const QStringList before = snapshot(dir);
    clickSave(*window);

    ASSERT_EQ(fakes.notifier.boxes.size(), 1);
    EXPECT_EQ(fakes.notifier.boxes[0].kind, RecordingNotifier::Box::Error);
    EXPECT_EQ(fakes.notifier.boxes[0].caption, u"Menu Geral"_s);
    EXPECT_EQ(fakes.notifier.boxes[0].text, u"Unable to write to "_s + QDir::toNativeSeparators(configFile()) + u'.');
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(edit(*window, u"edtModCaixa"_s)->text(), u"/novo/caixa"_s);
    EXPECT_EQ(snapshot(dir), before);
    expectFormCloseRan(0);

    // Once the file can be written, a second "&Salvar" saves and closes.
    fault.mend();
    clickSave(*window);
    EXPECT_TRUE(dir.readFile(u"configuracoes.ini"_s).contains("Modulo Caixa=/novo/caixa\r\n"));
    EXPECT_FALSE(window->isVisible());
    expectFormCloseRan(1);
}

INSTANTIATE_TEST_SUITE_P(Faults, SettingsSaveFaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto &test) { return std::string(test.param.name); });

TEST_F(SettingsSaveTest, APathTheFileCannotHoldIsRefusedBeforeAnythingIsWritten)
{
    // The same entries in the code page, and in UTF-8 after a byte-order mark.
    const QByteArray codePage = "[GestaoEmpresarial]\r\nModulo Caixa=/velho/caixa\r\n";
    const QByteArray utf8 = "\xEF\xBB\xBF" + codePage;
    struct Case
    {
        const char16_t *edit;
        QString path;
        QString label;
        bool utf8Holds;
    };
    const Case cases[] = {
        {u"edtModIndustrial", u"/opt/\u0142\u00f3d\u017a/app"_s, u"Industrial"_s, true},
        {u"edtModCia", u"/opt/cia \u2192 nova"_s, u"Cia"_s, true},
        {u"edtModLight", u"/opt/\U0001F600"_s, u"Light"_s, true},
        {u"edtModVendServ", u"/opt/\u65e5\u672c"_s, u"Vendas e Servi\u00e7os"_s, true},
        {u"edtModPdv", u"/opt/pdv\r\n/opt/outro"_s, u"Pdv"_s, false}, // a pasted line break
        {u"edtModFree", u"/opt/free\n"_s, u"Free"_s, false},
        {u"edtModLucro", u"/opt/lucro"_s + QChar(u'\0') + u"x"_s, u"Lucro"_s, false},
        {u"edtModCooper", u"/opt/cooper\u001b[2J"_s, u"Cooper"_s, false}, // a terminal would obey it
        {u"edtModOndaro", u"/opt/ondaro\u009b"_s, u"Ondaro"_s, false},
    };
    int closes = 0;
    for (const QByteArray &original : {codePage, utf8}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(c.label.toStdString() + (original == utf8 ? " in UTF-8" : " in the code page"));
            dir.writeFile(u"configuracoes.ini"_s, original);
            auto window = openWindow();
            fakes.notifier.boxes.clear();
            edit(*window, u"edtModCaixa"_s)->setText(u"/novo/caixa \u20ac"_s); // Windows-1252 has the euro sign
            QLineEdit *field = edit(*window, QString::fromUtf16(c.edit));
            field->setText(c.path);
            ASSERT_EQ(field->text(), c.path);
            clickSave(*window);

            if (original == utf8 && c.utf8Holds) {
                EXPECT_TRUE(fakes.notifier.boxes.isEmpty());
                EXPECT_TRUE(dir.readFile(u"configuracoes.ini"_s).contains(QByteArray("=" + c.path.toUtf8() + "\r\n")));
                expectFormCloseRan(++closes);
                continue;
            }
            EXPECT_EQ(fakes.notifier.warnings(),
                      QStringList{u"O caminho do m\u00f3dulo "_s + c.label +
                                  u" cont\u00e9m caracteres que n\u00e3o podem ser gravados em configuracoes.ini."_s});
            EXPECT_EQ(window->focusWidget(), field);
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), original);
            expectFormCloseRan(closes);
        }
    }
}

// An edit the file would not give back as typed (a read takes off outer
// blanks and quotes, and stops at 2047 characters) is refused, named.
TEST_F(SettingsSaveTest, AnEditThatWouldReadBackOtherwiseIsRefused)
{
    const QByteArray original = "[GestaoEmpresarial]\r\nModulo Caixa=/velho/caixa\r\n";
    for (const QString &path : {u" /opt/cooper"_s, u"/opt/cooper\t"_s, u"\"/opt/cooper\""_s, QString(2048, u'c')}) {
        SCOPED_TRACE(path.left(20).toStdString());
        dir.writeFile(u"configuracoes.ini"_s, original);
        auto window = openWindow();
        fakes.notifier.boxes.clear();
        edit(*window, u"edtModCooper"_s)->setText(path);
        clickSave(*window);
        EXPECT_EQ(
            fakes.notifier.warnings(),
            QStringList{u"O caminho do m\u00f3dulo Cooper n\u00e3o seria lido de volta como est\u00e1: tem mais de "
                        u"2047 caracteres, ou espa\u00e7os ou aspas nas pontas."_s});
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), original);
    }
}

TEST_F(SettingsSaveTest, TheRefusalNamesTheHighestRowOnScreen)
{
    auto window = openWindow();
    edit(*window, u"edtModConferencia"_s)->setText(u"\u2192"_s); // seventh in the file, last of its group on screen
    edit(*window, u"edtModIndustrial"_s)->setText(u"\u2192"_s);
    clickSave(*window);
    ASSERT_EQ(fakes.notifier.warnings().size(), 1);
    EXPECT_TRUE(fakes.notifier.warnings()[0].contains(u" Industrial "_s));
    EXPECT_FALSE(QFile::exists(configFile()));
}

} // namespace
