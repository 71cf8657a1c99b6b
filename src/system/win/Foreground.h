#pragma once

#include <QStringView>

#include <windows.h>

namespace menugeral {

// Shows `window` normally if it is minimised or hidden and sets it in the
// foreground, as far as the foreground rules let this process. True.
bool bringToForeground(HWND window);

// The same for the top-level window of class `windowClass`, which may belong
// to another process. False when there is none.
bool bringClassToForeground(QStringView windowClass);

} // namespace menugeral
