#include "platform/PlatformPlugin.h"

#include <QByteArray>

namespace menugeral {

// Where an X server is reachable (XWayland under a Wayland session too), X11
// is preferred: there the menu finds a running menu by its window class and
// its dialogs can place themselves, which Wayland does not let a client do.
// Without one, a Wayland session gets the Wayland plugin, which Qt would not
// pick by itself unless XDG_SESSION_TYPE says so.
void choosePlatformPlugin()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    else if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland");
}

} // namespace menugeral
