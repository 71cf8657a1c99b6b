#include "app/MenuStart.h"

#include <QCoreApplication>

namespace menugeral {

std::optional<SingleInstanceGuard::Claim> askRunningMenu(MenuStart &start)
{
    const auto address = currentInstanceAddress();
    if (!SingleInstanceGuard::isHeld(address))
        return std::nullopt;
    QCoreApplication asking(start.argc, start.argv);
    SingleInstanceGuard guard(address);
    guard.setActivationToken(start.activationToken);
    return guard.askRunningMenu();
}

} // namespace menugeral
