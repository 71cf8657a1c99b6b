#include "system/win/Foreground.h"

#include <QString>

#include <string>

namespace menugeral {

bool bringToForeground(HWND window)
{
    // A minimised window counts as visible, yet it must come back as well.
    if (!IsWindowVisible(window) || IsIconic(window))
        ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return true;
}

bool bringClassToForeground(QStringView windowClass)
{
    const std::wstring name = windowClass.toString().toStdWString();
    HWND window = FindWindowW(name.c_str(), nullptr);
    return window != nullptr && bringToForeground(window);
}

} // namespace menugeral
