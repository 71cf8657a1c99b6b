#include "core/ModuleCatalogue.h"
#include "core/Windows1252.h"

#include <QString>

#include <gtest/gtest.h>

#include <array>

namespace menugeral {
namespace {

// The module table as the product defines it, kept apart from the code's copy.
struct ExpectedRow
{
    const char16_t *launchKey;
    const char16_t *section;
    const char16_t *key;
    const char16_t *menuButton;
    const char16_t *menuHint;
    const char16_t *settingsLabel;
    const char16_t *settingsEdit;
    const char16_t *browseButton;
};

constexpr const char16_t *E = u"GestaoEmpresarial";
constexpr const char16_t *C = u"GestaoContabil";

// clang-format off
const std::array<ExpectedRow, 19> kExpected{{
    {u"Gerencial", E, u"Modulo Gerencial", u"bitQorGerencial", u"Abre o Sistema QOR - Gerencial", u"Gerencial", u"edtModGerencial", u"BitBtn1"},
    {u"VendServ", E, u"Modulo Vendas e Servi\u00e7os", u"bitQorVendas", u"Abre o Sistema QOR - Vendas e Servi\u00e7os", u"Vendas e Servi\u00e7os", u"edtModVendServ", u"BitBtn2"},
    {u"Caixa", E, u"Modulo Caixa", u"bitQorCaixa", u"Abre o Sistema QOR - Caixa", u"Caixa", u"edtModCaixa", u"BitBtn3"},
    {u"Pdv", E, u"Modulo Pdv", u"bitQorPDV", u"Abre o Sistema QOR - PDV", u"Pdv", u"edtModPdv", u"BitBtn4"},
    {u"Cooper", E, u"Modulo Cooper", u"bitQorCooper", u"Abre o Sistema QOR - Cooper", u"Cooper", u"edtModCooper", u"BitBtn5"},
    {u"Ondaro", E, u"Modulo Ondaro", u"bitQorOndaro", u"Abre o Sistema QOR - Ondaro", u"Ondaro", u"edtModOndaro", u"BitBtn6"},
    {u"Conferencia", E, u"Modulo Conferencia", u"bitQorConferencia", u"Abre o Sistema QOR - Conferencia", u"Conferencia", u"edtModConferencia", u"BitBtn19"},
    {u"Industrial", E, u"Modulo Industrial", u"bitQorIndustria", u"Abre o Sistema QOR - Industrial", u"Industrial", u"edtModIndustrial", u"BitBtn7"},
    {u"Relac", E, u"Modulo Relacionamentos", u"bitQorCRM", u"Abre o Sistema QOR - CRM", u"Crm", u"edtModRelac", u"BitBtn8"},
    {u"Light", E, u"Modulo Light", u"bitQorNFeLight", u"Abre o Sistema QOR - Light", u"Light", u"edtModLight", u"BitBtn15"},
    {u"Free", E, u"Modulo Free", u"bitQorNFeFree", u"Abre o Sistema QOR - Free", u"Free", u"edtModFree", u"BitBtn16"},
    {u"Finance", E, u"Modulo Finance", u"bitQorFinance", u"Abre o Sistema QOR - Finance", u"Finance", u"edtModFinance", u"BitBtn17"},
    {u"Help Desk", E, u"Modulo Help Desk", u"bitQOrHelpDesk", u"Abre o Sistema QOR - Help Desk", u"Help Desk", u"edtModHelpDesk", u"BitBtn18"},
    {u"Contabil", C, u"Modulo Contabilidade", u"bitContabilidade", u"Abre o Sistema QOR - Contabilidade", u"Contabilidade", u"edtModContab", u"BitBtn9"},
    {u"EscFiscal", C, u"Modulo Escrita Fiscal", u"bitFiscal", u"Abre o Sistema QOR - Escrita Fiscal", u"Escrita Fiscal", u"edtModEscFisc", u"BitBtn10"},
    {u"FolhaPgto", C, u"Modulo Folha de Pagamento", u"bitRh", u"Abre o Sistema QOR - RH", u"Folha de Pgto.", u"edtModFPgto", u"BitBtn11"},
    {u"Lucro", C, u"Modulo Lucro", u"bitLucroPresumido", u"Abre o Sistema QOR - Lucro", u"Lucro", u"edtModLucro", u"BitBtn12"},
    {u"Controller", C, u"Modulo Controller", u"bitControler", u"Abre o Sistema QOR - Controller", u"Controller", u"edtModController", u"BitBtn13"},
    {u"Cia", C, u"Modulo Cia", u"", u"", u"Cia", u"edtModCia", u"BitBtn14"},
}};
// clang-format on

QString text(QStringView view)
{
    return view.toString();
}

TEST(ModuleCatalogue, EveryRowMatchesTheTableInOrder)
{
    const auto entries = ModuleCatalogue::entries();
    ASSERT_EQ(entries.size(), kExpected.size());
    ASSERT_EQ(ModuleCatalogue::size, kExpected.size());
    for (std::size_t i = 0; i < kExpected.size(); ++i) {
        const ExpectedRow &want = kExpected[i];
        const ModuleEntry &row = entries[i];
        SCOPED_TRACE(QString::fromUtf16(want.launchKey).toStdString());
        EXPECT_EQ(text(row.launchKey), QString::fromUtf16(want.launchKey));
        EXPECT_EQ(text(row.section), QString::fromUtf16(want.section));
        EXPECT_EQ(text(row.key), QString::fromUtf16(want.key));
        EXPECT_EQ(text(row.menuButton), QString::fromUtf16(want.menuButton));
        EXPECT_EQ(text(row.menuHint), QString::fromUtf16(want.menuHint));
        EXPECT_EQ(text(row.settingsLabel), QString::fromUtf16(want.settingsLabel));
        EXPECT_EQ(text(row.settingsEdit), QString::fromUtf16(want.settingsEdit));
        EXPECT_EQ(text(row.browseButton), QString::fromUtf16(want.browseButton));
        EXPECT_EQ(row.hasMenuButton(), want.menuButton[0] != u'\0');
        EXPECT_EQ(row.remoteDesktopLaunch, text(row.launchKey) == u"Caixa")
            << "only Caixa has the remote-desktop launch";
        EXPECT_EQ(&ModuleCatalogue::at(i), &row);
    }
}

TEST(ModuleCatalogue, NamesAreStoredAsTheseWindows1252Bytes)
{
    EXPECT_EQ(Windows1252::encode(ModuleCatalogue::at(1).key), QByteArray("Modulo Vendas e Servi\xE7os"));
    EXPECT_EQ(Windows1252::encode(kImportNewsKey), QByteArray("Importar Not\xED"
                                                              "cias"));
    EXPECT_EQ(text(kOtherOptionsSection), u"OutrasConfiguracoes");
    EXPECT_EQ(text(kConfigFileName), u"configuracoes.ini");
}

TEST(ModuleCatalogue, LookUpByLaunchKeyIsExact)
{
    for (std::size_t i = 0; i < kExpected.size(); ++i) {
        const QString key = QString::fromUtf16(kExpected[i].launchKey);
        EXPECT_EQ(ModuleCatalogue::indexOfLaunchKey(key), i) << key.toStdString();
        EXPECT_EQ(ModuleCatalogue::findByLaunchKey(key), &ModuleCatalogue::at(i)) << key.toStdString();
    }
    for (const char16_t *unknown : {u"caixa", u"Caixa ", u" Caixa", u"CAIXA", u"", u"HelpDesk", u"Help desk", u"PDV",
                                    u"Relacionamentos", u"Modulo Caixa"}) {
        EXPECT_FALSE(ModuleCatalogue::indexOfLaunchKey(unknown).has_value())
            << QString::fromUtf16(unknown).toStdString();
        EXPECT_EQ(ModuleCatalogue::findByLaunchKey(unknown), nullptr);
    }
}

} // namespace
} // namespace menugeral
