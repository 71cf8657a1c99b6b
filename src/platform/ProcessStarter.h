#pragma once

#include "catalogue/ModulePath.h"

#include <QString>

namespace menugeral {

// Starts module programs. The menu never waits for, watches or stops them.
class ProcessStarter
{
public:
    virtual ~ProcessStarter() = default;

    // The shell-style start: the program of the request, in its directory,
    // with its parameters. A start the system refuses is reported by the
    // platform layer itself, in a box captioned with the file name.
    virtual void startProgram(const LaunchRequest &request) = 0;

    // The plain command-line start: the whole text is split into arguments and
    // the first one, when it is a bare name, is searched on the search path
    // (never in the current directory). No shell is involved. The program is
    // started as by the shell-style start, and a failed start is reported the same way.
    virtual void runCommandLine(const QString &commandLine) = 0;
};

} // namespace menugeral
