#include "platform/ProgramDirectory.h"

#include "catalogue/ModuleCatalogue.h"

namespace menugeral {

QString ProgramDirectory::configFileName() const
{
    return path() + kConfigFileName;
}

} // namespace menugeral
