#pragma once

#include <QByteArray>
#include <QStringView>
#include <QtGlobal>

class QWidget;

namespace menugeral {

// Looks for a top-level window of the given window class (on X11 the class
// part of WM_CLASS, matched exactly), whichever program owns it; when found,
// shows it normally if it is minimised or hidden, brings it to the front and
// returns true.
bool activateWindowOfClass(QStringView windowClass);

// What a later start does for the running menu it has asked to come forward,
// before it has any windowing application of its own. On Windows only the
// program in the foreground may hand the foreground on, so the later start,
// just started by the user, finds the menu by its class and brings it forward
// itself. Elsewhere the menu's own request is enough, and nothing is done.
void handForegroundToWindowOfClass(QStringView windowClass);

// The same for a window known by its native id (QWidget::winId()), which may
// belong to another process. Returns false when there is no such window.
bool activateNativeWindow(quintptr windowId);

// The token this process was started with to take the focus (Wayland's
// XDG_ACTIVATION_TOKEN), taken out of the environment: it is good for one
// use, and the modules the menu starts must not inherit it. Empty when none.
QByteArray takeActivationToken();

// Asks for one of this program's own windows to get the focus, through Qt
// (QWindow::requestActivate). `activationToken` is what the compositor gave
// another process to pass the focus on (XDG_ACTIVATION_TOKEN on Wayland),
// handed over so that focus-stealing prevention lets the request through;
// empty when there is none, and unused where the system has no such thing.
void requestActivation(QWidget &window, const QByteArray &activationToken);

} // namespace menugeral
