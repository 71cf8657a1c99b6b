#include "WindowManagerCheck.h"

#include <QElapsedTimer>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <xcb/xcb.h>

namespace menugeral::test {
namespace {

using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name)
{
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// Whether the window manager lists `window` among the windows it manages.
bool isListed(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t clientList, xcb_window_t window)
{
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, root, clientList, XCB_ATOM_WINDOW, 0, 1 << 16), nullptr),
        &std::free);
    if (!reply)
        return false;
    const auto *windows = static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_window_t));
    for (int i = 0; i < count; ++i) {
        if (windows[i] == window)
            return true;
    }
    return false;
}

// Polls `done` every 50 ms for at most `timeoutMs`, calling `retry` every 250 ms.
template <typename Done, typename Retry> bool pollUntil(int timeoutMs, Done done, Retry retry)
{
    QElapsedTimer clock;
    clock.start();
    qint64 lastRetry = 0;
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        if (clock.elapsed() - lastRetry >= 250) {
            retry();
            lastRetry = clock.elapsed();
        }
        poll(nullptr, 0, 50);
    }
    return true;
}

} // namespace

bool windowManagerTakesInWindows(const QString &display)
{
    const Connection connection(xcb_connect(display.toLocal8Bit().constData(), nullptr), &xcb_disconnect);
    xcb_connection_t *const x = connection.get();
    if (xcb_connection_has_error(x))
        return false;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const xcb_atom_t clientList = internAtom(x, "_NET_CLIENT_LIST");
    const xcb_window_t window = xcb_generate_id(x);
    xcb_create_window(x, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, 0, nullptr);
    const auto map = [&] {
        xcb_map_window(x, window);
        xcb_flush(x);
    };
    map();
    const bool managed = pollUntil(
        10000, [&] { return isListed(x, screen->root, clientList, window); }, map);
    xcb_destroy_window(x, window);
    xcb_flush(x);
    return managed && pollUntil(
                          10000, [&] { return !isListed(x, screen->root, clientList, window); }, [] {});
}

} // namespace menugeral::test
