#pragma once

#include "app/SingleInstanceGuard.h"

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

namespace menugeral {

// What a start of the program hands to the menu's window part: what it was
// started with and what it learnt before it made its QApplication.
struct MenuStart
{
    int &argc;
    char **argv;
    // The token it was given to take the focus, already out of the environment.
    QByteArray activationToken;
    // What a running menu answered when asked; nothing when none held the lock.
    std::optional<SingleInstanceGuard::Claim> runningMenu;
    // What the modules are started with (see environmentForModules).
    std::optional<QByteArrayList> moduleEnvironment;
};

// Asks the menu that holds the single-instance lock, if any, to come forward,
// under a plain QCoreApplication gone before it returns: no window system is
// needed for that, so such a start never connects to the display.
std::optional<SingleInstanceGuard::Claim> askRunningMenu(MenuStart &start);

} // namespace menugeral
