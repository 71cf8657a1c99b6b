#include "system/StartHandOver.h"

namespace menugeral {

// X11 has no activation tokens; its window manager knows the startup id.
QByteArray launcherToken(const LauncherVariables &variables, bool onX11)
{
    if (onX11)
        return variables.startupId;
    return variables.activationToken.isEmpty() ? variables.startupId : variables.activationToken;
}

} // namespace menugeral
