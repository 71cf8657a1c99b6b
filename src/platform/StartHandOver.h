#pragma once

#include <QByteArray>
#include <QStringView>

// What every start of the program takes from the one who started it and hands
// on to a menu that already runs. QtCore alone: a start that only wakes the
// running menu never loads the windowing libraries.
namespace menugeral {

// The token this process was started with to take the focus (Wayland's
// XDG_ACTIVATION_TOKEN), taken out of the environment: it is good for one
// use, and the modules the menu starts must not inherit it. Empty when none.
QByteArray takeActivationToken();

// What a later start does for the running menu it has asked to come forward,
// before it has any windowing application of its own. On Windows only the
// program in the foreground may hand the foreground on, so the later start,
// just started by the user, finds the menu by its class and brings it forward
// itself. Elsewhere the menu's own request is enough, and nothing is done.
void handForegroundToWindowOfClass(QStringView windowClass);

} // namespace menugeral
