#pragma once

#include <QStringView>

#include <cstddef>
#include <optional>
#include <span>

namespace menugeral {

// One module of the product family: where its path is stored, which tile of the
// menu starts it and which row of the settings window edits it.
struct ModuleEntry
{
    QStringView launchKey;     // selects the launch behaviour; compared exactly
    QStringView section;       // section of configuracoes.ini
    QStringView key;           // key of that section holding the module path
    QStringView menuButton;    // object name of the menu tile; empty when the menu has none
    QStringView menuHint;      // hint of that tile; empty when there is no tile
    QStringView settingsLabel; // caption of the settings row
    QStringView settingsEdit;  // object name of the settings edit field
    QStringView browseButton;  // object name of the settings browse button
    bool remoteDesktopLaunch;  // "Caixa" runs an MSTSC path as a plain command line

    bool hasMenuButton() const { return !menuButton.isEmpty(); }
};

// The fixed, ordered table of the nineteen modules. Its order is the order in
// which paths are read and written.
class ModuleCatalogue
{
public:
    static constexpr std::size_t size = 19;

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
