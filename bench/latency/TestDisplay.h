#pragma once

#include "XvfbServer.h"

#include <QByteArrayView>
#include <QPoint>
#include <QProcess>
#include <QString>

#include <cstdint>
#include <optional>
#include <xcb/xcb.h>

namespace menugeral::bench {

// The monotonic clock in nanoseconds, the one the entry probe reads too.
std::int64_t monotonicNs();

// Something the display reported, with the monotonic time it arrived.
struct DisplayEvent
{
    xcb_window_t window;
    std::int64_t arrivedNs;
};

// An Xvfb of the benchmark's own, without a window manager (so windows are
// mapped as soon as their programs ask, and focus goes where it is set), and a
// connection to it that watches windows and sends input as a user's devices
// would, through the XTest extension.
class TestDisplay
{
public:
    TestDisplay() = default;
    ~TestDisplay();
    TestDisplay(const TestDisplay &) = delete;
    TestDisplay &operator=(const TestDisplay &) = delete;

    // Starts Xvfb on MENUGERAL_XVFB_DISPLAY, or on a free display; an
    // explanation when it cannot.
    std::optional<QString> start();
    const QString &name() const { return m_server.display(); }

    // The next top-level window mapped (pop-ups such as balloons aside).
    std::optional<DisplayEvent> waitForMap(int timeoutMs);
    std::optional<DisplayEvent> waitForUnmap(xcb_window_t window, int timeoutMs);
    // Starts openbox on the display, for what only a window manager decides
    // (which window is active); an explanation when it cannot.
    std::optional<QString> startWindowManager();
    // A plain window of the benchmark's own, mapped, that can take the focus.
    xcb_window_t createWindow();
    // Asks the window manager to activate `window`, as a pager does.
    void activate(xcb_window_t window);
    // The window manager made `window` the active window (_NET_ACTIVE_WINDOW).
    std::optional<DisplayEvent> waitForActive(xcb_window_t window, int timeoutMs);
    // Forgets every event that has arrived.
    void discardEvents();

    void focus(xcb_window_t window);
    void movePointer(xcb_window_t window, QPoint position);
    // A left click where the pointer is: press and release.
    void click();
    // Presses and releases the key of an X keysym (Latin-1 characters are their own keysym).
    void key(std::uint32_t keysym);
    void type(QByteArrayView text);

private:
    template <typename Match> std::optional<DisplayEvent> waitFor(int timeoutMs, Match match);
    xcb_keycode_t keycodeOf(std::uint32_t keysym);
    void fake(std::uint8_t type, std::uint8_t detail, std::int16_t x = 0, std::int16_t y = 0);

    xcb_atom_t atom(const char *name);
    xcb_window_t activeWindow();

    test::XvfbServer m_server;
    QProcess m_windowManager;
    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
};

} // namespace menugeral::bench
