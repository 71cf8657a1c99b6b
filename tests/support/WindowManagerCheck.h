#pragma once

#include <QString>

namespace menugeral::test {

// Whether the window manager on `display` takes in new windows yet, waiting
// up to ten seconds. Announcing itself on the root window is not enough:
// openbox does that before it handles map requests, and never takes in a
// window mapped in between, which then stays unmapped for good. So a window
// of our own is mapped (again every 250 ms, as an early request may be lost)
// until the window manager lists it, then destroyed until it is gone.
bool windowManagerTakesInWindows(const QString &display);

} // namespace menugeral::test
