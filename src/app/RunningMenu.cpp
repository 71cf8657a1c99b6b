#include "app/MenuStart.h"
#include "system/InstanceLock.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace menugeral {

MenuInstance::MenuInstance(MenuStart &start)
    : m_activationToken(start.activationToken), m_address(currentInstanceAddress())
{
    // No lock file: no menu has run here, and none is made before this start
    // claims the guard.
    if (!m_address || !QFileInfo::exists(m_address->lockFileName))
        return;
    m_lock = std::make_unique<InstanceLock>(m_address->lockFileName);
    if (m_lock->tryLock() != InstanceLock::Result::HeldElsewhere) {
        if (!m_lock->isLocked())
            m_lock.reset();
        return;
    }
    m_lock.reset();
    QCoreApplication asking(start.argc, start.argv);
    SingleInstanceGuard guard(m_address);
    guard.setActivationToken(m_activationToken);
    m_asked = guard.askRunningMenu();
}

MenuInstance::~MenuInstance() = default;

bool MenuInstance::handedOver() const
{
    return m_asked == SingleInstanceGuard::Claim::AnotherInstanceRuns;
}

MenuInstance::Claimed MenuInstance::claim()
{
    // The address is worked out again: Qt makes a missing runtime directory
    // with the application, and a later start looks where a running menu has
    // its guard.
    const auto address = currentInstanceAddress();
    auto guard = std::make_unique<SingleInstanceGuard>(address);
    guard->setActivationToken(m_activationToken);
    if (m_asked)
        return {*m_asked, std::move(guard)};
    if (m_lock && address && address->lockFileName == m_address->lockFileName)
        guard->adoptLock(std::move(m_lock));
    m_lock.reset();
    const auto claim = guard->claim();
    return {claim, std::move(guard)};
}

} // namespace menugeral
