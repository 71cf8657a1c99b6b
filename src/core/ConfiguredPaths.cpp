#include "core/ConfiguredPaths.h"

#include "core/IniFile.h"

namespace menugeral {

ConfiguredPaths readConfiguredPaths(const IniFile &ini, const ConfiguredPaths &kept)
{
    ConfiguredPaths paths;
    for (std::size_t i = 0; i < ModuleCatalogue::size; ++i) {
        const ModuleEntry &entry = ModuleCatalogue::at(i);
        paths[i] = ini.read(entry.section, entry.key, kept[i]);
    }
    return paths;
}

bool saveConfiguredPaths(IniFile &ini, const ConfiguredPaths &paths)
{
    for (std::size_t i = 0; i < ModuleCatalogue::size; ++i) {
        const ModuleEntry &entry = ModuleCatalogue::at(i);
        ini.write(entry.section, entry.key, paths[i]);
    }
    ini.write(kOtherOptionsSection, kImportNewsKey, QString());
    return ini.save();
}

} // namespace menugeral
