#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <chrono>
#include <functional>
#include <windows.h>

// The Windows desktop as a user meets it, through the system's own calls:
// windows found by class, title and process, the pointer and the keyboard
// through SendInput, and the clipboard.
namespace menugeral::e2e {

using namespace std::chrono_literals;

// Polls `condition` until it holds or `timeout` passes, handling this
// thread's messages meanwhile (another process may be waiting on a window of
// ours); the last answer.
bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout = 20s);

QString classNameOf(HWND window);
QString titleOf(HWND window);
DWORD processOf(HWND window);

// Visible top-level windows of the process, optionally only those with the title.
QList<HWND> visibleWindowsOf(DWORD processId, const QString &title = {});

// The window's client area on the screen.
QRect clientRectOnScreen(HWND window);

// A left click at `position` of the window's client area, through the pointer.
void click(HWND window, QPoint position);
// Makes the window the foreground window, then sends key presses to it.
void pressKey(HWND window, WORD virtualKey, bool withControl = false);
void typeText(HWND window, const QString &text);

QString clipboardText();
void clearClipboard();

} // namespace menugeral::e2e
