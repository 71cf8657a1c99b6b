#include "platform/FileOwnership.h"

namespace menugeral {

// The installer sets the folder's access list; a file has no owner group to
// drift from it as on POSIX.
QString ownershipProblem(const QString &)
{
    return {};
}

} // namespace menugeral
