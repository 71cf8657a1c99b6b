#pragma once

#include <QMargins>

class QWidget;

namespace menugeral {

// The window manager's frame around the window, as far as it is known: none
// before the window manager has framed the window.
QMargins knownFrameMargins(const QWidget &window);

// Centres the window's outer rectangle (its frame included, where known) on
// the screen that shows `reference` (the primary screen when it shows on none).
void centreOnScreenOf(QWidget &window, const QWidget *reference);

// One tick of the keep-inside rule: pulls the window back inside the host
// window's outer rectangle, `topMargin` pixels below its top.
void keepInsideHost(QWidget &window, const QWidget *host, int topMargin);

} // namespace menugeral
