#pragma once

#include <QJsonObject>

// What the probe records that only its system knows, read first thing, before
// Qt opens anything: on POSIX "ppid", its parent's process id, and on Linux
// "fds", every descriptor above standard error that it was started with, as
// "number -> what it refers to"; on Windows "commandLine", the command line
// exactly as the process received it.
QJsonObject systemFacts();
