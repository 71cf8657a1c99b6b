#include "catalogue/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace menugeral {
namespace {

// The rename is only durable once the directory entry reaches the disk. Best
// effort: the new content is already complete either way.
void syncDirectoryOf(const QString &fileName)
{
#ifdef Q_OS_UNIX
    const QString resolved = QFileInfo(fileName).canonicalFilePath();
    if (resolved.isEmpty())
        return;
    const QByteArray directory = QFile::encodeName(QFileInfo(resolved).absolutePath());
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
#else
    Q_UNUSED(fileName);
#endif
}

} // namespace

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
