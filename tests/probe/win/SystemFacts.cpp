#include "SystemFacts.h"

#include <QString>

#include <windows.h>

void addSystemFacts(QJsonObject &record)
{
    record.insert(QStringLiteral("commandLine"), QString::fromWCharArray(GetCommandLineW()));
}
