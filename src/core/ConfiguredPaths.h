#pragma once

#include "core/ModuleCatalogue.h"

#include <QString>

#include <array>

namespace menugeral {

class IniFile;

// Every module's path, by catalogue index.
using ConfiguredPaths = std::array<QString, ModuleCatalogue::size>;

// Each module's path as configuracoes.ini gives it; a module the file does not
// name keeps its path from `kept`.
ConfiguredPaths readConfiguredPaths(const IniFile &ini, const ConfiguredPaths &kept = {});

// The save of the settings window, which the command line repeats byte for
// byte: every module's path in catalogue order, then the option entry written
// empty, in one atomic save. False, with the file untouched, as IniFile::save().
[[nodiscard]] bool saveConfiguredPaths(IniFile &ini, const ConfiguredPaths &paths);

} // namespace menugeral
