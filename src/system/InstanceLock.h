#pragma once

#include <QString>

#include <memory>

namespace menugeral {

// The lock that lets one start at a time become the menu. It is held for the
// whole run and goes with the process however that ends, so a menu that was
// killed never leaves a lock for the next start to prove stale.
class InstanceLock
{
public:
    enum class Result
    {
        Acquired,
        HeldElsewhere, // another process holds it: a menu is running or starting
        Unavailable,   // it cannot be made here at all
    };

    explicit InstanceLock(const QString &fileName);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    Result tryLock();
    bool isLocked() const;
    void unlock();

private:
    class Private;
    std::unique_ptr<Private> d;
};

} // namespace menugeral
