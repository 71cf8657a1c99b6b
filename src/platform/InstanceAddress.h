#pragma once

#include <QString>

#include <optional>

namespace menugeral {

// Where the single-instance guard of one user on one display keeps its local
// socket and the lock file that serialises simultaneous starts.
struct InstanceAddress
{
    QString socketName;   // the local socket (a named pipe on Windows)
    QString lockFileName; // full name of the lock file (see InstanceLock)
};

// The address for the current user and display, worked out from the
// environment; nothing when no place safe from other users can be found.
std::optional<InstanceAddress> currentInstanceAddress();

// The same rule with its inputs spelled out, so that it can be checked:
// `runtimeDirectory` is XDG_RUNTIME_DIR (may be empty), `fallbackParent` the
// directory in which a private per-user directory is made when the runtime
// directory cannot be used, `display` the display the menu runs on.
std::optional<InstanceAddress> instanceAddressFor(const QString &runtimeDirectory, const QString &fallbackParent,
                                                  const QString &display);

} // namespace menugeral
