#include "system/FileUpdateLock.h"

#include "system/posix/TrustedEntry.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <sys/file.h>

// The lock is flock() on the folder that holds the file, reached as a save
// reaches it (the same links followed): the folder is always there and always
// readable by whoever may save, so no lock file has to be made, owned or
// cleaned up, and none can be planted as a link. The kernel drops the lock
// when the process ends, even by SIGKILL.

namespace menugeral {
using namespace Qt::StringLiterals;

namespace {

// Long enough for any other save (milliseconds), short enough that a process
// holding the lock for ever gets a message instead of a hung command.
constexpr int kWaitMs = 10000;
constexpr int kRetryMs = 10;

} // namespace

class FileUpdateLock::Private
{
public:
    posix::UniqueFd folder;
    QString error;
};

FileUpdateLock::FileUpdateLock(const QString &fileName) : d(std::make_unique<Private>())
{
    posix::TrustedEntry entry = posix::resolveTrustedEntry(fileName);
    if (!entry.folder.isValid()) {
        d->error = posix::systemReason(entry.error);
        return;
    }
    const QDeadlineTimer deadline(kWaitMs);
    for (;;) {
        if (::flock(entry.folder.get(), LOCK_EX | LOCK_NB) == 0) {
            d->folder = std::move(entry.folder);
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            d->error = posix::systemReason(errno);
            return;
        }
        if (deadline.hasExpired()) {
            d->error = u"another process has been changing it for %1 seconds"_s.arg(kWaitMs / 1000);
            return;
        }
        QThread::msleep(kRetryMs);
    }
}

FileUpdateLock::~FileUpdateLock() = default;

bool FileUpdateLock::isLocked() const
{
    return d->folder.isValid();
}

const QString &FileUpdateLock::errorString() const
{
    return d->error;
}

} // namespace menugeral
