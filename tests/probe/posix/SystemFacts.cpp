#include "SystemFacts.h"

#include <QJsonArray>
#include <QStringList>

#include <cstdlib>
#include <dirent.h>
#include <unistd.h>

namespace {

// The descriptors above standard error that the process was started with.
QStringList inheritedDescriptors()
{
    QStringList descriptors;
    DIR *listing = ::opendir("/proc/self/fd");
    if (!listing)
        return {QStringLiteral("cannot list /proc/self/fd")};
    while (const dirent *entry = ::readdir(listing)) {
        const int fd = ::atoi(entry->d_name);
        if (entry->d_name[0] == '.' || fd <= 2 || fd == ::dirfd(listing))
            continue;
        char target[4096] = {};
        const QByteArray link = QByteArray("/proc/self/fd/") + entry->d_name;
        const ssize_t length = ::readlink(link.constData(), target, sizeof target - 1);
        descriptors.append(QString::number(fd) + QStringLiteral(" -> ") +
                           QString::fromLocal8Bit(target, length < 0 ? 0 : qsizetype(length)));
    }
    ::closedir(listing);
    return descriptors;
}

} // namespace

QJsonObject systemFacts()
{
    return {{QStringLiteral("ppid"), qint64(::getppid())},
            {QStringLiteral("fds"), QJsonArray::fromStringList(inheritedDescriptors())}};
}
