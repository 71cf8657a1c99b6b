#pragma once

#include <QStringView>

namespace menugeral {

// The application name: on X11 it becomes the class part of every window's
// WM_CLASS, the mark by which a later start recognises a running menu.
inline constexpr QStringView kMenuWindowClass = u"TFrmMenuGeralNovo";

// On Linux, chooses the X11 platform plugin when a display exists (XWayland
// under Wayland), unless a plugin was chosen already: the settings windows
// place themselves at absolute screen positions, which only X11 allows.
// Without an X display, a Wayland session gets the Wayland plugin.
void preferX11Platform();

// The whole program: hands over to a running menu, or runs the menu until
// its window closes. Returns the exit code.
int runMenu(int &argc, char **argv);

} // namespace menugeral
