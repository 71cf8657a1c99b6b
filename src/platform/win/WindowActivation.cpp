#include "platform/WindowActivation.h"

#include "platform/win/Foreground.h"

#include <QWidget>

namespace menugeral {

bool activateWindowOfClass(QStringView windowClass)
{
    return bringClassToForeground(windowClass);
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
