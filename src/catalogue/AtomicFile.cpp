#include "catalogue/AtomicFile.h"

#include "platform/DirectorySync.h"

#include <QSaveFile>

namespace menugeral {

bool replaceFileContent(const QString &fileName, QByteArrayView content)
{
    // QSaveFile writes beside the file that a symbolic link names, copies the
    // old file's permissions, syncs before the rename and refuses a file that
    // is not writable: the rename would otherwise replace it.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content.data(), content.size()) != content.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncDirectoryOf(fileName);
    return true;
}

} // namespace menugeral
