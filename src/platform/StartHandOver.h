#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QStringView>

#include <optional>

// What every start of the program takes from the one who started it and hands
// on to a menu that already runs. QtCore alone: a start that only wakes the
// running menu never loads the windowing libraries.
namespace menugeral {

// The token this process was started with to take the focus (Wayland's
// XDG_ACTIVATION_TOKEN), taken out of the environment: it is good for one
// use, and the modules the menu starts must not inherit it. Empty when none.
QByteArray takeActivationToken();

// The environment this process was given, as "NAME=value" entries, for the
// modules the menu starts: taken before the menu sets anything for itself (its
// windowing plugin), less what was meant for this process alone (the
// activation token and the X startup id). Nothing where the menu leaves its
// own environment as it was given, so that modules may take that one.
std::optional<QByteArrayList> environmentForModules();

// What a later start does for the running menu it has asked to come forward,
// before it has any windowing application of its own. On Windows only the
// program in the foreground may hand the foreground on, so the later start,
// just started by the user, finds the menu by its class and brings it forward
// itself. Elsewhere the menu's own request is enough, and nothing is done.
void handForegroundToWindowOfClass(QStringView windowClass);

} // namespace menugeral
