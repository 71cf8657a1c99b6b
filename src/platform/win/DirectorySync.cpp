#include "platform/DirectorySync.h"

namespace menugeral {

// NTFS journals the rename itself (QSaveFile replaces the file with
// MoveFileEx), so there is no directory to sync.
void syncDirectoryOf(const QString &)
{}

} // namespace menugeral
