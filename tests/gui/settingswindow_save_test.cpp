#include "QtPrinters.h"
#include "SettingsTestSupport.h"

#include <QFile>
#include <QPushButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

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
    edit(*window, u"edtModGerencial"_s)->setText(u"  /opt/QOR/gerencial /a  "_s);
    edit(*window, u"edtModVendServ"_s)->setText(u"/opt/Vendas e Servi\u00e7os/vs"_s);
    edit(*window, u"edtModCaixa"_s)->setText(u"mstsc /v:caixa \u20ac"_s);
    edit(*window, u"edtModConferencia"_s)->setText(u"/opt/conf"_s);
    clickSave(*window);

    const QByteArray bytes = dir.readFile(u"configuracoes.ini"_s);
    const QList<QByteArray> expected = {
        "[GestaoEmpresarial]\r",
        "Modulo Gerencial=  /opt/QOR/gerencial /a  \r",
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

// Which file-system object is made read-only, and whether the file exists before.
struct ReadOnlyCase
{
    const char *name;
    bool immutableDirectory;
    bool fileExists;

    friend void PrintTo(const ReadOnlyCase &c, std::ostream *out) { *out << c.name; }
};

class SettingsReadOnlyTest : public SettingsWindowTest, public ::testing::WithParamInterface<ReadOnlyCase>
{};

TEST_P(SettingsReadOnlyTest, AFailedSaveShowsTheErrorAndKeepsTheWindowAndTheFile)
{
    const ReadOnlyCase &c = GetParam();
    const QByteArray original = "[GestaoEmpresarial]\r\nModulo Caixa=/velho/caixa\r\n";
    if (c.fileExists)
        dir.writeFile(u"configuracoes.ini"_s, original);
    auto window = openWindow();
    edit(*window, u"edtModCaixa"_s)->setText(u"/novo/caixa"_s);
    {
        const Immutable readOnly(c.immutableDirectory ? dir.path() : configFile());
        if (!readOnly.isSet())
            GTEST_SKIP() << kNoImmutable;
        clickSave(*window);

        ASSERT_EQ(fakes.notifier.boxes.size(), 1);
        EXPECT_EQ(fakes.notifier.boxes[0].kind, RecordingNotifier::Box::Error);
        EXPECT_EQ(fakes.notifier.boxes[0].caption, u"Menu Geral"_s);
        EXPECT_EQ(fakes.notifier.boxes[0].text, u"Unable to write to "_s + configFile() + u'.');
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(edit(*window, u"edtModCaixa"_s)->text(), u"/novo/caixa"_s);
        EXPECT_EQ(QFile::exists(configFile()), c.fileExists);
        EXPECT_EQ(dir.readFile(u"configuracoes.ini"_s), c.fileExists ? original : QByteArray());
        expectFormCloseRan(0);
    }
    // Once the file can be written, a second "&Salvar" saves and closes.
    clickSave(*window);
    EXPECT_TRUE(dir.readFile(u"configuracoes.ini"_s).contains("Modulo Caixa=/novo/caixa\r\n"));
    EXPECT_FALSE(window->isVisible());
    expectFormCloseRan(1);
}

INSTANTIATE_TEST_SUITE_P(ReadOnly, SettingsReadOnlyTest,
                         ::testing::Values(ReadOnlyCase{"File", false, true}, ReadOnlyCase{"Directory", true, true},
                                           ReadOnlyCase{"DirectoryWithoutFile", true, false}),
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
