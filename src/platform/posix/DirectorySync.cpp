#include "platform/DirectorySync.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace menugeral {

void syncDirectoryOf(const QString &fileName)
{
    const QString resolved = QFileInfo(fileName).canonicalFilePath();
    if (resolved.isEmpty())
        return;
    const QByteArray directory = QFile::encodeName(QFileInfo(resolved).absolutePath());
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace menugeral
