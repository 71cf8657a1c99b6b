#pragma once

class QWindow;

namespace menugeral {

// Ends a move the window manager was asked to make (QWindow::startSystemMove)
// whose button turned out to be up already: some window managers start such
// a move all the same, and the window would then follow the pointer with no
// button held. Nothing where the system ends the move with the button itself.
void cancelSystemMove(QWindow &window);

// Whether the left button is down now, as the window system sees it: the
// events the program still has to handle may lag behind. True where that
// cannot be asked.
bool leftButtonIsDown();

} // namespace menugeral
