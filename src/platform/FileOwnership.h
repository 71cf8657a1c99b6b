#pragma once

#include <QString>

namespace menugeral {

// For an administrator's check: what about the file's owner or permission
// bits lets someone who is not (or no longer) meant to change it do so, with
// the one command that mends it; empty when nothing does, when this process
// is not the administrator's, or where the system has no such owners.
QString ownershipProblem(const QString &fileName);

} // namespace menugeral
