#include "platform/PlatformPlugin.h"

#include <QByteArray>

namespace menugeral {

// Where an X server is reachable (XWayland under a Wayland session too), X11
// is preferred: there the menu finds a running menu by its window class and
// its dialogs can place themselves, which Wayland does not let a client do.
// Without one, Qt's own choice (Wayland) stands.
void choosePlatformPlugin()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace menugeral
