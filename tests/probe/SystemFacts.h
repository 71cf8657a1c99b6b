#pragma once

#include <QJsonObject>

// What the probe records that only its system knows: on POSIX "ppid", its
// parent's process id; on Windows "commandLine", the command line exactly as
// the process received it.
void addSystemFacts(QJsonObject &record);
