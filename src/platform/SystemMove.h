#pragma once

class QWindow;

namespace menugeral {

// Ends a move the window manager was asked to make (QWindow::startSystemMove)
// whose button turned out to be up already: some window managers start such
// a move all the same, and the window would then follow the pointer with no
// button held. Nothing where the system ends the move with the button itself.
void cancelSystemMove(QWindow &window);

} // namespace menugeral
