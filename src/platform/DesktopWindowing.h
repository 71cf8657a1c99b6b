#pragma once

class QWindow;

namespace menugeral {

// What the desktop's window system does with the menu's borderless window,
// where desktops differ.

// Chooses the windowing plugin before the application object is made, unless
// the user chose one (QT_QPA_PLATFORM). Call it first thing in main.
void choosePlatformPlugin();

// Whether top-level windows with an alpha channel are blended with what lies
// beneath them (a compositing desktop), so a window can have soft edges and
// a shadow. Where they are not, transparent pixels would show up black.
bool desktopHasTranslucentWindows();

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
