#include "settings/SettingsLayout.h"

#include "core/ModuleCatalogue.h"
#include "settings/UnitMenuGeralConfiguracoesFrm.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace menugeral {

namespace SettingsLayout {
namespace {

using W = TfrmConfiguracoes;

// One row per catalogue row, in the catalogue's order. The tab indices make the
// rows of the second group come before Light ... Conferencia although those
// stand higher on the screen; the window opens on bitSalvar (tab 0).
// clang-format off
constexpr std::array<SettingsRow, ModuleCatalogue::size> kRows{{
    {u"Label1",  18,  14,  2,  14, 10, &W::BitBtn1Click},   // Gerencial
    {u"Label2",  40,  36,  3,  36, 11, &W::BitBtn2Click},   // VendServ
    {u"Label3",  63,  59,  4,  59, 12, &W::BitBtn3Click},   // Caixa
    {u"Label4",  86,  82,  5,  82, 13, &W::BitBtn4Click},   // Pdv
    {u"Label5",  110, 106, 6,  106, 14, &W::BitBtn5Click},  // Cooper
    {u"Label6",  134, 129, 7,  129, 15, &W::BitBtn6Click},  // Ondaro
    {u"Label16", 299, 294, 38, 296, 39, &W::BitBtn19Click}, // Conferencia
    {u"Label7",  158, 153, 8,  153, 16, &W::BitBtn7Click},  // Industrial
    {u"Label8",  182, 177, 9,  177, 17, &W::BitBtn8Click},  // Relac
    {u"Label19", 206, 201, 30, 201, 32, &W::BitBtn15Click}, // Light
    {u"Label20", 229, 224, 31, 224, 33, &W::BitBtn16Click}, // Free
    {u"Label21", 252, 247, 34, 247, 36, &W::BitBtn17Click}, // Finance
    {u"Label22", 276, 271, 35, 272, 37, &W::BitBtn18Click}, // HelpDesk
    {u"Label9",  331, 326, 18, 326, 24, &W::BitBtn9Click},  // Contabil
    {u"Label10", 354, 349, 19, 349, 25, &W::BitBtn10Click}, // EscFiscal
    {u"Label11", 377, 372, 20, 372, 26, &W::BitBtn11Click}, // FolhaPgto
    {u"Label12", 401, 396, 21, 396, 27, &W::BitBtn12Click}, // Lucro
    {u"Label13", 424, 419, 22, 419, 28, &W::BitBtn13Click}, // Controller
    {u"Label14", 447, 442, 23, 442, 29, &W::BitBtn14Click}, // Cia
}};
// clang-format on

constexpr std::array<std::size_t, ModuleCatalogue::size> kFromTop = [] {
    std::array<std::size_t, ModuleCatalogue::size> modules{};
    std::iota(modules.begin(), modules.end(), std::size_t(0));
    std::sort(modules.begin(), modules.end(),
              [](std::size_t a, std::size_t b) { return kRows[a].labelTop < kRows[b].labelTop; });
    return modules;
}();

} // namespace

const SettingsRow &row(std::size_t module)
{
    return kRows.at(module);
}

std::span<const std::size_t> modulesFromTop()
{
    return kFromTop;
}

} // namespace SettingsLayout

} // namespace menugeral
