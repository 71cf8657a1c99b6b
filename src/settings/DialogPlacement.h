#pragma once

class QWidget;

namespace menugeral {

// Centres the window's outer rectangle on the screen that shows `reference`
// (the primary screen when it shows on none).
void centreOnScreenOf(QWidget &window, const QWidget *reference);

// One tick of the keep-inside rule: pulls the window back inside the host
// window's outer rectangle, `topMargin` pixels below its top.
void keepInsideHost(QWidget &window, const QWidget *host, int topMargin);

} // namespace menugeral
