#include "system/StartHandOver.h"

#include <unistd.h>

namespace menugeral {
namespace {

// Whether the menu will talk X11: as choosePlatformPlugin decides, an X display
// wins unless Qt's plugin is named.
bool startsOnX11()
{
    const QByteArray named = qgetenv("QT_QPA_PLATFORM");
    if (!named.isEmpty())
        return named.startsWith("xcb");
    return !qEnvironmentVariableIsEmpty("DISPLAY");
}

} // namespace

// Taken out in any case: a compositor without the activation protocol, or
// X11, would leave them for the modules started later to inherit.
QByteArray takeActivationToken()
{
    const LauncherVariables variables{qgetenv("XDG_ACTIVATION_TOKEN"), qgetenv("DESKTOP_STARTUP_ID")};
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
    return launcherToken(variables, startsOnX11());
}

// Qt's X11 plugin reads DESKTOP_STARTUP_ID when it connects, takes it out of
// the environment, marks the first window with it and ends the sequence
// once that window shows.
QByteArray handTokenToWindowSystem(const QByteArray &token)
{
    if (token.isEmpty() || !startsOnX11())
        return token;
    qputenv("DESKTOP_STARTUP_ID", token);
    return {};
}

std::optional<QByteArrayList> environmentForModules()
{
    QByteArrayList entries;
    for (char **entry = environ; *entry != nullptr; ++entry) {
        const QByteArray text(*entry);
        if (!text.startsWith("XDG_ACTIVATION_TOKEN=") && !text.startsWith("DESKTOP_STARTUP_ID="))
            entries.append(text);
    }
    return entries;
}

// The running menu asks the window manager itself, as a pager would.
void handForegroundToWindowOfClass(QStringView)
{}

} // namespace menugeral
