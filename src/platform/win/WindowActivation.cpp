#include "platform/WindowActivation.h"

#include <QString>
#include <QWidget>

#include <string>
#include <windows.h>

namespace menugeral {
namespace {

bool activate(HWND window)
{
    // A minimised window counts as visible, yet it must come back as well.
    if (!IsWindowVisible(window) || IsIconic(window))
        ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return true;
}

} // namespace

bool activateWindowOfClass(QStringView windowClass)
{
    const std::wstring name = windowClass.toString().toStdWString();
    HWND window = FindWindowW(name.c_str(), nullptr);
    return window != nullptr && activate(window);
}

void handForegroundToWindowOfClass(QStringView windowClass)
{
    activateWindowOfClass(windowClass);
}

bool activateNativeWindow(quintptr windowId)
{
    HWND window = reinterpret_cast<HWND>(windowId);
    return windowId != 0 && IsWindow(window) && activate(window);
}

// Windows has no activation tokens: the foreground rules decide alone.
QByteArray takeActivationToken()
{
    return {};
}

void requestActivation(QWidget &window, const QByteArray &)
{
    window.activateWindow();
}

} // namespace menugeral
