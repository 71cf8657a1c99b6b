#include "platform/ExecutableDirectory.h"

#include <QCoreApplication>
#include <QDir>

namespace menugeral {

QString ExecutableDirectory::path() const
{
    // Worked out afresh at every call, as the main window does at every load.
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + u'/');
}

} // namespace menugeral
