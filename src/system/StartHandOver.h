#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QStringView>

#include <optional>

// What every start of the program takes from the one who started it and hands
// on to a menu that already runs. QtCore alone: a start that only wakes the
// running menu never loads the windowing libraries.
namespace menugeral {

// The token a launcher hands a program it starts. On Wayland it lets the
// program take the focus: XDG_ACTIVATION_TOKEN, or DESKTOP_STARTUP_ID where the
// launcher puts it only there (GTK 3). On X11 it is the startup id in
// DESKTOP_STARTUP_ID, which names the launcher's busy feedback to end.
struct LauncherVariables
{
    QByteArray activationToken; // XDG_ACTIVATION_TOKEN
    QByteArray startupId;       // DESKTOP_STARTUP_ID
};
QByteArray launcherToken(const LauncherVariables &variables, bool onX11);

// The token this process was started with, taken out of the environment (both
// variables): it is good for one use, and the modules the menu starts must not
// inherit it. Empty when none.
QByteArray takeActivationToken();

// The environment this process was given, as "NAME=value" entries, for the
// modules the menu starts: taken before the menu sets anything for itself (its
// windowing plugin), less what was meant for this process alone (the
// activation token and the X startup id). Nothing where the menu leaves its
// own environment as it was given, so that modules may take that one.
std::optional<QByteArrayList> environmentForModules();

// For the start that becomes the menu, before its windowing application is
// made: where the window system has a use of its own for the token (X11's
// start-up notification, which Qt ends when the first window shows), it is
// handed there and nothing is left; otherwise the token is given back, for
// the menu to present when it asks for the focus.
QByteArray handTokenToWindowSystem(const QByteArray &token);

// What a later start does for the running menu it has asked to come forward,
// before it has any windowing application of its own. On Windows only the
// program in the foreground may hand the foreground on, so the later start,
// just started by the user, finds the menu by its class and brings it forward
// itself. Elsewhere the menu's own request is enough, and nothing is done.
void handForegroundToWindowOfClass(QStringView windowClass);

} // namespace menugeral
