#include "catalogue/AtomicFile.h"

#include "platform/DirectorySync.h"

#include <QFileInfo>
#include <QSaveFile>

namespace menugeral {
namespace {

// As many links as the system follows before it gives up on a name.
constexpr int kMaxSymbolicLinks = 40;

// A chain of symbolic links that never ends names no file. QSaveFile would
// give up following it and let the rename replace the first link with a file.
bool namesAFile(const QString &fileName)
{
    QFileInfo info(fileName);
    for (int links = 0; info.isSymLink(); ++links) {
        if (links == kMaxSymbolicLinks)
            return false;
        info.setFile(info.symLinkTarget());
    }
    return true;
}

} // namespace

bool replaceFileContent(const QString &fileName, QByteArrayView content)
{
    if (!namesAFile(fileName))
        return false;
    // QSaveFile writes beside the file that a symbolic link names, copies the
    // old file's permissions, syncs before the rename and refuses a file that
    // is not writable: the rename would otherwise replace it. Unbuffered, so
    // that a write the disk refuses (full, over quota) fails here: a buffered
    // one would fail only inside commit(), which ignores that and renames the
    // cut temporary file over the old one.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content.data(), content.size()) != content.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    syncDirectoryOf(fileName);
    return true;
}

} // namespace menugeral
