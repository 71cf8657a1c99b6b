#pragma once

#include <windows.h>

namespace menugeral {

// Shows `window` normally if it is minimised or hidden and sets it in the
// foreground, as far as the foreground rules let this process. True.
bool bringToForeground(HWND window);

} // namespace menugeral
