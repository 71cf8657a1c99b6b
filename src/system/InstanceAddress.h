#pragma once

#include <QString>
#include <QStringList>

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
// `runtimeDirectory` is XDG_RUNTIME_DIR (may be empty), `fallbackParents` the
// directories, in turn, in which a private per-user directory is made when the
// runtime directory cannot be used (one that someone else made or may write is
// passed over), `display` the display the menu runs on.
std::optional<InstanceAddress> instanceAddressFor(const QString &runtimeDirectory, const QStringList &fallbackParents,
                                                  const QString &display);

} // namespace menugeral
