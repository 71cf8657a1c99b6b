#include "platform/DesktopWindowing.h"

namespace menugeral {

// Windows has one windowing plugin.
void choosePlatformPlugin()
{}

// Windows always composes its windows.
bool desktopHasTranslucentWindows()
{
    return true;
}

// Windows' own move runs while the button is down and ends with it.
void cancelSystemMove(QWindow &)
{}

bool leftButtonIsDown()
{
    return true;
}

} // namespace menugeral
