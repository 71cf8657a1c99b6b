#pragma once

#include "app/SingleInstanceGuard.h"

#include <QByteArray>
#include <QByteArrayList>

#include <optional>

namespace menugeral {

// What a start of the program hands to the menu's window part: what it was
// started with and what it learnt before it loaded any windowing library.
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
// needed for that, so such a start never loads the windowing libraries nor
// connects to the display.
std::optional<SingleInstanceGuard::Claim> askRunningMenu(MenuStart &start);

// Runs the window part: the menu, until its window closes, unless another menu
// turns out to run. Loaded only now where it is a module of its own. Returns
// the exit code.
int runMenuWindow(MenuStart &start);

// Where the window part is a module of its own, the name of its one shown
// symbol (menugeral_run_menu below): the program finds it by this name.
inline constexpr char kWindowModuleEntry[] = "menugeral_run_menu";

} // namespace menugeral

extern "C" int menugeral_run_menu(menugeral::MenuStart *start);
