#include "core/WindowPlacement.h"

namespace menugeral {

QPoint keepInside(const QRect &dialog, const QRect &mainWindow, KeepInsideMargins margins)
{
    // Steps run in this order and each sees what the ones before it set, so a
    // dialog wider (taller) than the main window ends aligned right (bottom).
    int left = dialog.x();
    int top = dialog.y();
    const int mainLeft = mainWindow.x();
    const int mainTop = mainWindow.y();

    if (left < mainLeft + 2)
        left = mainLeft + 3;
    if (left + dialog.width() > mainLeft + mainWindow.width() - 2)
        left = mainLeft + mainWindow.width() - dialog.width() - 2;
    if (top < mainTop + margins.top)
        top = mainTop + margins.top;
    if (top + dialog.height() > mainTop + mainWindow.height() - 2)
        top = mainTop + mainWindow.height() - dialog.height() - 2;
    return {left, top};
}

} // namespace menugeral
