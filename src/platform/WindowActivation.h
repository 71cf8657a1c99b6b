#pragma once

#include <QStringView>
#include <QtGlobal>

namespace menugeral {

// Looks for a top-level window of the given window class (on X11 the class
// part of WM_CLASS, matched exactly), whichever program owns it; when found,
// shows it normally if it is minimised or hidden, brings it to the front and
// returns true.
bool activateWindowOfClass(QStringView windowClass);

// The same for a window known by its native id (QWidget::winId()), which may
// belong to another process. Returns false when there is no such window.
bool activateNativeWindow(quintptr windowId);

} // namespace menugeral
