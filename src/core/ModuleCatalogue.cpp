#include "core/ModuleCatalogue.h"

#include <array>

namespace menugeral {
namespace {

constexpr QStringView kEmpresarial = u"GestaoEmpresarial";
constexpr QStringView kContabil = u"GestaoContabil";

// One line per ModuleRow, in its order.
// clang-format off
constexpr std::array<ModuleEntry, ModuleCatalogue::size> kModules{{
    {u"Gerencial",   kEmpresarial, u"Modulo Gerencial",              u"bitQorGerencial",   u"Abre o Sistema QOR - Gerencial",              {28, 72, 161, 80},   u"Gerencial",              u"edtModGerencial",   u"BitBtn1",  false},
    {u"VendServ",    kEmpresarial, u"Modulo Vendas e Servi\u00e7os", u"bitQorVendas",      u"Abre o Sistema QOR - Vendas e Servi\u00e7os", {28, 230, 80, 80},   u"Vendas e Servi\u00e7os", u"edtModVendServ",    u"BitBtn2",  false},
    {u"Caixa",       kEmpresarial, u"Modulo Caixa",                  u"bitQorCaixa",       u"Abre o Sistema QOR - Caixa",                  {188, 230, 80, 80},  u"Caixa",                  u"edtModCaixa",       u"BitBtn3",  true},
    {u"Pdv",         kEmpresarial, u"Modulo Pdv",                    u"bitQorPDV",         u"Abre o Sistema QOR - PDV",                    {269, 230, 80, 80},  u"Pdv",                    u"edtModPdv",         u"BitBtn4",  false},
    {u"Cooper",      kEmpresarial, u"Modulo Cooper",                 u"bitQorCooper",      u"Abre o Sistema QOR - Cooper",                 {188, 72, 161, 80},  u"Cooper",                 u"edtModCooper",      u"BitBtn5",  false},
    {u"Ondaro",      kEmpresarial, u"Modulo Ondaro",                 u"bitQorOndaro",      u"Abre o Sistema QOR - Ondaro",                 {188, 151, 80, 80},  u"Ondaro",                 u"edtModOndaro",      u"BitBtn6",  false},
    {u"Conferencia", kEmpresarial, u"Modulo Conferencia",            u"bitQorConferencia", u"Abre o Sistema QOR - Conferencia",            {269, 151, 80, 80},  u"Conferencia",            u"edtModConferencia", u"BitBtn19", false},
    {u"Industrial",  kEmpresarial, u"Modulo Industrial",             u"bitQorIndustria",   u"Abre o Sistema QOR - Industrial",             {28, 151, 161, 80},  u"Industrial",             u"edtModIndustrial",  u"BitBtn7",  false},
    {u"Relac",       kEmpresarial, u"Modulo Relacionamentos",        u"bitQorCRM",         u"Abre o Sistema QOR - CRM",                    {188, 309, 80, 80},  u"Crm",                    u"edtModRelac",       u"BitBtn8",  false},
    {u"Light",       kEmpresarial, u"Modulo Light",                  u"bitQorNFeLight",    u"Abre o Sistema QOR - Light",                  {28, 309, 80, 80},   u"Light",                  u"edtModLight",       u"BitBtn15", false},
    {u"Free",        kEmpresarial, u"Modulo Free",                   u"bitQorNFeFree",     u"Abre o Sistema QOR - Free",                   {109, 309, 80, 80},  u"Free",                   u"edtModFree",        u"BitBtn16", false},
    {u"Finance",     kEmpresarial, u"Modulo Finance",                u"bitQorFinance",     u"Abre o Sistema QOR - Finance",                {109, 230, 80, 80},  u"Finance",                u"edtModFinance",     u"BitBtn17", false},
    {u"Help Desk",   kEmpresarial, u"Modulo Help Desk",              u"bitQOrHelpDesk",    u"Abre o Sistema QOR - Help Desk",              {269, 309, 80, 80},  u"Help Desk",              u"edtModHelpDesk",    u"BitBtn18", false},
    {u"Contabil",    kContabil,    u"Modulo Contabilidade",          u"bitContabilidade",  u"Abre o Sistema QOR - Contabilidade",          {388, 151, 161, 80}, u"Contabilidade",          u"edtModContab",      u"BitBtn9",  false},
    {u"EscFiscal",   kContabil,    u"Modulo Escrita Fiscal",         u"bitFiscal",         u"Abre o Sistema QOR - Escrita Fiscal",         {548, 72, 161, 80},  u"Escrita Fiscal",         u"edtModEscFisc",     u"BitBtn10", false},
    {u"FolhaPgto",   kContabil,    u"Modulo Folha de Pagamento",     u"bitRh",             u"Abre o Sistema QOR - RH",                     {388, 72, 161, 80},  u"Folha de Pgto.",         u"edtModFPgto",       u"BitBtn11", false},
    {u"Lucro",       kContabil,    u"Modulo Lucro",                  u"bitLucroPresumido", u"Abre o Sistema QOR - Lucro",                  {548, 151, 80, 80},  u"Lucro",                  u"edtModLucro",       u"BitBtn12", false},
    {u"Controller",  kContabil,    u"Modulo Controller",             u"bitControler",      u"Abre o Sistema QOR - Controller",             {629, 151, 80, 80},  u"Controller",             u"edtModController",  u"BitBtn13", false},
    {u"Cia",         kContabil,    u"Modulo Cia",                    {},                   {},                                             {},                  u"Cia",                    u"edtModCia",         u"BitBtn14", false},
}};
// clang-format on

} // namespace

std::span<const ModuleEntry> ModuleCatalogue::entries()
{
    return kModules;
}

const ModuleEntry &ModuleCatalogue::at(std::size_t index)
{
    return kModules.at(index);
}

std::optional<std::size_t> ModuleCatalogue::indexOfLaunchKey(QStringView launchKey)
{
    for (std::size_t i = 0; i < kModules.size(); ++i) {
        if (kModules[i].launchKey == launchKey) // QStringView == is exact, case-sensitive
            return i;
    }
    return std::nullopt;
}

const ModuleEntry *ModuleCatalogue::findByLaunchKey(QStringView launchKey)
{
    const auto index = indexOfLaunchKey(launchKey);
    return index ? &kModules[*index] : nullptr;
}

} // namespace menugeral
