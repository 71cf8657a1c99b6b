#include "system/InstanceLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// An advisory lock on a file in the user's private directory: the kernel lets
// it go when the process ends, even by SIGKILL, and nothing has to be written
// or synced. The file itself stays: removing it would let a start that had
// already opened it lock a name nobody else sees any more.

namespace menugeral {

class InstanceLock::Private
{
public:
    QByteArray path;
    int fd = -1;
};

InstanceLock::InstanceLock(const QString &fileName) : d(std::make_unique<Private>())
{
    d->path = QFile::encodeName(fileName);
}

InstanceLock::~InstanceLock()
{
    unlock();
}

InstanceLock::Result InstanceLock::tryLock()
{
    if (d->fd >= 0)
        return Result::Acquired;
    const int fd = ::open(d->path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Unavailable;
    int locked = -1;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Result::HeldElsewhere : Result::Unavailable;
    }
    d->fd = fd;
    return Result::Acquired;
}

bool InstanceLock::isLocked() const
{
    return d->fd >= 0;
}

void InstanceLock::unlock()
{
    if (d->fd < 0)
        return;
    ::close(d->fd);
    d->fd = -1;
}

} // namespace menugeral
