#include "system/FileUpdateLock.h"

#include <QLockFile>

// QLockFile: a lock file beside the settings file, held open without sharing
// while locked, which also works on a network share (where the menu's folder
// often lies) and tells a lock left by a process that died from a live one.

namespace menugeral {
using namespace Qt::StringLiterals;

namespace {

// Long enough for any other save (milliseconds), short enough that a process
// holding the lock for ever gets a message instead of a hung command.
constexpr int kWaitMs = 10000;

} // namespace

class FileUpdateLock::Private
{
public:
    explicit Private(const QString &fileName) : lock(fileName + u".lock"_s) {}
    QLockFile lock;
    QString error;
};

FileUpdateLock::FileUpdateLock(const QString &fileName) : d(std::make_unique<Private>(fileName))
{
    if (d->lock.tryLock(kWaitMs))
        return;
    d->error = d->lock.error() == QLockFile::LockFailedError
                   ? u"another process has been changing it for %1 seconds"_s.arg(kWaitMs / 1000)
                   : u"its lock file cannot be made"_s;
}

FileUpdateLock::~FileUpdateLock() = default;

bool FileUpdateLock::isLocked() const
{
    return d->lock.isLocked();
}

const QString &FileUpdateLock::errorString() const
{
    return d->error;
}

} // namespace menugeral
