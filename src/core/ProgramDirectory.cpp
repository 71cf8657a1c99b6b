#include "core/ProgramDirectory.h"

#include "core/ModuleCatalogue.h"

#include <QCoreApplication>
#include <QDir>

namespace menugeral {

QString ProgramDirectory::configFileName() const
{
    return path() + kConfigFileName;
}

QString ExecutableDirectory::path() const
{
    // Worked out afresh at every call, as the main window does at every load.
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u'/');
}

} // namespace menugeral
