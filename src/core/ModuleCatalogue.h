#pragma once

#include <QRect>
#include <QStringView>

#include <cstddef>
#include <optional>
#include <span>

namespace menugeral {

// One module of the product family: where its path is stored, which tile of the
// menu starts it, where that tile stands, and which row of the settings window
// edits it.
struct ModuleEntry
{
    QStringView launchKey;     // selects the launch behaviour; compared exactly
    QStringView section;       // section of configuracoes.ini
    QStringView key;           // key of that section holding the module path
    QStringView menuButton;    // object name of the menu tile; empty when the menu has none
    QStringView menuHint;      // hint of that tile; empty when there is no tile
    QRect menuTile;            // the tile's place on the menu's modules panel; empty when there is no tile
    QStringView settingsLabel; // caption of the settings row
    QStringView settingsEdit;  // object name of the settings edit field
    QStringView browseButton;  // object name of the settings browse button
    bool remoteDesktopLaunch;  // "Caixa" runs an MSTSC path as a plain command line

    bool hasMenuButton() const { return !menuButton.isEmpty(); }
};

// The catalogue's rows by name, in its order, for code that means one module.
namespace ModuleRow {
enum : std::size_t
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
    Count
};
} // namespace ModuleRow

// The fixed, ordered table of the nineteen modules. Its order is the order in
// which paths are read and written.
class ModuleCatalogue
{
public:
    static constexpr std::size_t size = ModuleRow::Count;

    static std::span<const ModuleEntry> entries();
    static const ModuleEntry &at(std::size_t index);
    static std::optional<std::size_t> indexOfLaunchKey(QStringView launchKey);
    static const ModuleEntry *findByLaunchKey(QStringView launchKey);
};

// The option entry that every save writes empty, and never reads.
inline constexpr QStringView kOtherOptionsSection = u"OutrasConfiguracoes";
inline constexpr QStringView kImportNewsKey = u"Importar Not\u00edcias";

// Name of the configuration file in the program directory.
inline constexpr QStringView kConfigFileName = u"configuracoes.ini";

} // namespace menugeral
