#include "platform/WindowActivation.h"

#include "platform/StartHandOver.h"
#include "platform/win/Foreground.h"

#include <QString>
#include <QWidget>

#include <string>

namespace menugeral {

bool activateWindowOfClass(QStringView windowClass)
{
    const std::wstring name = windowClass.toString().toStdWString();
    HWND window = FindWindowW(name.c_str(), nullptr);
    return window != nullptr && bringToForeground(window);
}

bool activateNativeWindow(quintptr windowId)
{
    HWND window = reinterpret_cast<HWND>(windowId);
    return windowId != 0 && IsWindow(window) && bringToForeground(window);
}

void requestActivation(QWidget &window, const QByteArray &)
{
    window.activateWindow();
}

} // namespace menugeral
