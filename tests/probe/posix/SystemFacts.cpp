#include "SystemFacts.h"

#include <unistd.h>

void addSystemFacts(QJsonObject &record)
{
    record.insert(QStringLiteral("ppid"), qint64(getppid()));
}
