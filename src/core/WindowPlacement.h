#pragma once

#include <QRect>

namespace menugeral {

// Margins that keep a dialog inside the main window.
struct KeepInsideMargins
{
    int top; // 22 for the password dialog, 16 for the settings window
};

// The four-step keep-inside rule of the settings dialogs, on outer window
// rectangles in screen pixels. Returns the dialog's new top-left corner; the
// size is never changed.
QPoint keepInside(const QRect &dialog, const QRect &mainWindow, KeepInsideMargins margins);

} // namespace menugeral
