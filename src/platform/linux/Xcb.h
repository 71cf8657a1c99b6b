#pragma once

#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace menugeral {

// xcb hands out its replies and errors from malloc.
struct XcbFree
{
    void operator()(void *reply) const { std::free(reply); }
};
template <typename T> using XcbReply = std::unique_ptr<T, XcbFree>;

// Takes a request's reply and drops its error, if any: a window may vanish
// between two requests, which is no reason for a warning.
template <typename T, typename Cookie, typename Fetch>
XcbReply<T> fetchXcbReply(xcb_connection_t *connection, Cookie cookie, Fetch fetchReply)
{
    xcb_generic_error_t *error = nullptr;
    XcbReply<T> reply(fetchReply(connection, cookie, &error));
    std::free(error);
    return reply;
}

// The application's connection to the X server; null on any other platform
// plugin (Wayland, offscreen).
inline xcb_connection_t *applicationXcbConnection()
{
    if (QGuiApplication::platformName() != u"xcb")
        return nullptr;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

} // namespace menugeral
