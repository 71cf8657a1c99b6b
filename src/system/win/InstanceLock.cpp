#include "system/InstanceLock.h"

#include <QLockFile>

namespace menugeral {

class InstanceLock::Private
{
public:
    explicit Private(const QString &fileName) : file(fileName)
    {
        // Held for the whole run: never stale by age, only when its process is gone.
        file.setStaleLockTime(0);
    }
    QLockFile file;
};

InstanceLock::InstanceLock(const QString &fileName) : d(std::make_unique<Private>(fileName))
{}

InstanceLock::~InstanceLock() = default;

InstanceLock::Result InstanceLock::tryLock()
{
    if (d->file.isLocked())
        return Result::Acquired;
    // Also clears a lock left by a process that no longer runs.
    if (d->file.tryLock(0))
        return Result::Acquired;
    return d->file.error() == QLockFile::LockFailedError ? Result::HeldElsewhere : Result::Unavailable;
}

bool InstanceLock::isLocked() const
{
    return d->file.isLocked();
}

void InstanceLock::unlock()
{
    d->file.unlock();
}

} // namespace menugeral
