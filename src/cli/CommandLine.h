#pragma once

#include <optional>

namespace menugeral {

// The technician's commands: --check [--json], --set, --unset, --config-file,
// --help and --version. They need no display, open no window and leave the
// single-instance lock alone, so they work over SSH while a menu runs.
// Nothing when the arguments ask for the menu itself (none, or only Qt's own
// options); otherwise the exit code.
std::optional<int> runCommandLine(int argc, char **argv);

} // namespace menugeral
