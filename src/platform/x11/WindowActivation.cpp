#include "platform/WindowActivation.h"

// Placeholder until the X11 look-up lands.
namespace menugeral {

bool activateWindowOfClass(QStringView)
{
    return false;
}

} // namespace menugeral
