#pragma once

#include <QByteArrayView>
#include <QString>

namespace menugeral {

// Replaces the whole content of a file, or creates it, all or nothing: the new
// content goes to a temporary file beside it, which then takes the file's
// place. A failure leaves the file exactly as it was. A symbolic link keeps
// pointing at its target, which is what gets replaced, and the file keeps its
// permission bits; a new file gets the ordinary ones (0666 less the umask).
// A file the user may not write is refused rather than replaced, and so is a
// chain of symbolic links that never ends. Every write is checked: a full
// disk fails the save instead of committing a cut file.
bool replaceFileContent(const QString &fileName, QByteArrayView content);

} // namespace menugeral
