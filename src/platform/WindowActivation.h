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

// The same for a window known by its native id (QWidget::winId()), which may
// belong to another process. Returns false when there is no such window.
bool activateNativeWindow(quintptr windowId);

// Asks for one of this program's own windows to get the focus, through Qt
// (QWindow::requestActivate). `activationToken` is what the compositor gave
// another process to pass the focus on (see launcherToken), handed over so
// that focus-stealing prevention lets the request through; on X11 it is the
// launcher's startup id, and its start-up sequence is completed. Empty when
// there is none, and unused where the system has no such thing.
void requestActivation(QWidget &window, const QByteArray &activationToken);

} // namespace menugeral
