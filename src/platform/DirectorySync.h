#pragma once

#include <QString>

namespace menugeral {

// Makes a rename into the directory of `fileName` durable: on POSIX the new
// directory entry reaches the disk only once the directory itself is synced.
// Best effort: the file's content is complete either way.
void syncDirectoryOf(const QString &fileName);

} // namespace menugeral
