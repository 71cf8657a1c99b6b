#include "settings/SettingsLayout.h"

#include "catalogue/ModuleCatalogue.h"
#include "settings/UnitMenuGeralConfiguracoesFrm.h"

#include <array>

namespace menugeral {

const ModuleEntry &SettingsRow::entry() const
{
    return ModuleCatalogue::at(module);
}

namespace SettingsLayout {
namespace {

using W = TfrmConfiguracoes;

// Module indices of the catalogue, so the table reads by name.
enum Module : std::size_t
{
    Gerencial,
    VendServ,
    Caixa,
    Pdv,
    Cooper,
    Ondaro,
    Conferencia,
    Industrial,
    Relac,
    Light,
    Free,
    Finance,
    HelpDesk,
    Contabil,
    EscFiscal,
    FolhaPgto,
    Lucro,
    Controller,
    Cia,
};

// The tab indices make the rows of the second group come before Light ... Conferencia
// although those stand higher on the screen; the window opens on bitSalvar (tab 0).
// clang-format off
constexpr std::array<SettingsRow, ModuleCatalogue::size> kRows{{
    {Gerencial,   u"Label1",  18,  14,  2,  14, 10, &W::BitBtn1Click},
    {VendServ,    u"Label2",  40,  36,  3,  36, 11, &W::BitBtn2Click},
    {Caixa,       u"Label3",  63,  59,  4,  59, 12, &W::BitBtn3Click},
    {Pdv,         u"Label4",  86,  82,  5,  82, 13, &W::BitBtn4Click},
    {Cooper,      u"Label5",  110, 106, 6,  106, 14, &W::BitBtn5Click},
    {Ondaro,      u"Label6",  134, 129, 7,  129, 15, &W::BitBtn6Click},
    {Industrial,  u"Label7",  158, 153, 8,  153, 16, &W::BitBtn7Click},
    {Relac,       u"Label8",  182, 177, 9,  177, 17, &W::BitBtn8Click},
    {Light,       u"Label19", 206, 201, 30, 201, 32, &W::BitBtn15Click},
    {Free,        u"Label20", 229, 224, 31, 224, 33, &W::BitBtn16Click},
    {Finance,     u"Label21", 252, 247, 34, 247, 36, &W::BitBtn17Click},
    {HelpDesk,    u"Label22", 276, 271, 35, 272, 37, &W::BitBtn18Click},
    {Conferencia, u"Label16", 299, 294, 38, 296, 39, &W::BitBtn19Click},
    {Contabil,    u"Label9",  331, 326, 18, 326, 24, &W::BitBtn9Click},
    {EscFiscal,   u"Label10", 354, 349, 19, 349, 25, &W::BitBtn10Click},
    {FolhaPgto,   u"Label11", 377, 372, 20, 372, 26, &W::BitBtn11Click},
    {Lucro,       u"Label12", 401, 396, 21, 396, 27, &W::BitBtn12Click},
    {Controller,  u"Label13", 424, 419, 22, 419, 28, &W::BitBtn13Click},
    {Cia,         u"Label14", 447, 442, 23, 442, 29, &W::BitBtn14Click},
}};
// clang-format on

} // namespace

std::span<const SettingsRow> rows()
{
    return kRows;
}

const SettingsRow *rowWithButton(QStringView buttonName)
{
    for (const SettingsRow &row : kRows) {
        if (row.entry().browseButton == buttonName)
            return &row;
    }
    return nullptr;
}

} // namespace SettingsLayout

} // namespace menugeral
