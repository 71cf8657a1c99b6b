#pragma once

#include <sys/types.h>

namespace menugeral {

// Collects the exit status of a child the program started and never waits
// for, once it ends, so it does not stay behind as a zombie. Only that child
// is waited for: children that Qt manages keep their status. The watch runs
// in the application's event loop (call this from its thread) and belongs to
// the application object, so it ends with the program at the latest.
void reapWhenEnded(pid_t child);

} // namespace menugeral
