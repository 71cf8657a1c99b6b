#include "platform/SystemMove.h"

namespace menugeral {

// Windows' own move runs while the button is down and ends with it.
void cancelSystemMove(QWindow &)
{}

bool leftButtonIsDown()
{
    return true;
}

} // namespace menugeral
