#include "SystemFacts.h"

#include <QFile>
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

// The lines "SigBlk:" and "SigIgn:" of /proc/self/status, as "sigblk" and
// "sigign": hexadecimal masks of the blocked and the ignored signals.
void addSignalMasks(QJsonObject &facts)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray &line : status.readAll().split('\n')) {
        for (const char *field : {"SigBlk", "SigIgn"}) {
            if (line.startsWith(QByteArray(field).append(':')))
                facts.insert(QString::fromLatin1(field).toLower(), QString::fromLatin1(line.mid(7).trimmed()));
        }
    }
}

} // namespace

QJsonObject systemFacts()
{
    QJsonObject facts{{QStringLiteral("ppid"), qint64(::getppid())},
                      {QStringLiteral("sid"), qint64(::getsid(0))},
                      {QStringLiteral("fds"), QJsonArray::fromStringList(inheritedDescriptors())}};
    addSignalMasks(facts);
    return facts;
}
