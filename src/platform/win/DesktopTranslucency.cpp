#include "platform/DesktopTranslucency.h"

namespace menugeral {

// The desktops other than X11 always compose their windows.
bool desktopHasTranslucentWindows()
{
    return true;
}

} // namespace menugeral
