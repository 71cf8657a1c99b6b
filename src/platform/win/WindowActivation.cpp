#include "platform/WindowActivation.h"

// Placeholder until the Windows look-up lands.
namespace menugeral {

bool activateWindowOfClass(QStringView)
{
    return false;
}

} // namespace menugeral
