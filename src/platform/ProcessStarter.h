#pragma once

#include "core/ModulePath.h"

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

    // The plain command-line start: the program exactly as the request names
    // it (never searched for), in the menu's current directory, with the
    // request's arguments split as a command line is. No shell is involved. A
    // failed start is reported as by the shell-style start.
    virtual void runCommandLine(const CommandLineRequest &request) = 0;
};

} // namespace menugeral
