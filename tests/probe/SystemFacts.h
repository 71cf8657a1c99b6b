#pragma once

#include <QJsonObject>

// What the probe records that only its system knows, read first thing, before
// Qt opens anything: on POSIX "ppid", its parent's process id, and "sid", its
// session; on Linux "fds", every descriptor above standard error that it was
// started with, as "number -> what it refers to", and "sigblk" and "sigign",
// the signals it was started with blocked and ignored as hexadecimal masks; on
// Windows "commandLine", the command line exactly as the process received it.
QJsonObject systemFacts();
