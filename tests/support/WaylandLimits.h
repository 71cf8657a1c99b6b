#pragma once

#include <QGuiApplication>
#include <QTest>
#include <QWidget>

namespace menugeral::test {

// Under Wayland the compositor alone places windows and decides which one is
// active, and the headless compositor the tests run on has no seat, so it
// makes none active. What depends on either is skipped there, saying why.
inline bool onWayland()
{
    return QGuiApplication::platformName().startsWith(u"wayland");
}

inline constexpr const char *kCompositorPlacesWindows = "under Wayland the compositor places windows, not the client";
inline constexpr const char *kNoActiveWindow = "under a Wayland compositor without a seat no window becomes active";

// The window is active, or, where only the compositor could make it so, shown.
inline bool waitUntilActive(QWidget *window)
{
    return onWayland() ? QTest::qWaitForWindowExposed(window) : QTest::qWaitForWindowActive(window);
}

} // namespace menugeral::test
