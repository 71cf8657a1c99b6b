#include "SystemFacts.h"

#include <QString>

#include <windows.h>

QJsonObject systemFacts()
{
    return {{QStringLiteral("commandLine"), QString::fromWCharArray(GetCommandLineW())}};
}
