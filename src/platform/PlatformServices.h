#pragma once

#include "core/ModulePath.h"

namespace menugeral {

class Notifier;
class FileChooser;
class ProcessStarter;
class ProgramDirectory;

// The seams to the operating system, handed to every window when it is
// created. Tests hand in recording fakes.
struct PlatformServices
{
    Notifier &notifier;
    FileChooser &fileChooser;
    ProcessStarter &processStarter;
    ProgramDirectory &programDirectory;
    PathSyntax pathSyntax = nativePathSyntax();
};

} // namespace menugeral
