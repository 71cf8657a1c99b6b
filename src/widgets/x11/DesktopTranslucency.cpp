#include "widgets/DesktopTranslucency.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace menugeral {
using namespace Qt::StringLiterals;

namespace {

struct FreeDeleter
{
    void operator()(void *reply) const { std::free(reply); }
};

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, FreeDeleter>;

} // namespace

bool desktopHasTranslucentWindows()
{
    // Only X11 may run without a compositing manager (Wayland and the
    // offscreen platform always compose).
    if (QGuiApplication::platformName() != u"xcb"_s)
        return true;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr)
        return false;
    xcb_connection_t *connection = x11->connection();

    // A running compositing manager owns the selection _NET_WM_CM_S<screen>.
    int screen = 0;
    char *host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) != 0)
        std::free(host);
    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(screen);
    const ReplyPtr<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(selection.size()), selection.constData()), nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const ReplyPtr<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace menugeral
