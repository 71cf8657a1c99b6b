#include "platform/StartHandOver.h"

#include "platform/win/Foreground.h"

#include <QString>

#include <string>

namespace menugeral {

// Windows has no activation tokens: the foreground rules decide alone.
QByteArray takeActivationToken()
{
    return {};
}

void handForegroundToWindowOfClass(QStringView windowClass)
{
    const std::wstring name = windowClass.toString().toStdWString();
    if (HWND window = FindWindowW(name.c_str(), nullptr))
        bringToForeground(window);
}

bool bringToForeground(HWND window)
{
    // A minimised window counts as visible, yet it must come back as well.
    if (!IsWindowVisible(window) || IsIconic(window))
        ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return true;
}

} // namespace menugeral
