#include "platform/DesktopTranslucency.h"

#include "platform/x11/Xcb.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstdlib>

namespace menugeral {
using namespace Qt::StringLiterals;

bool desktopHasTranslucentWindows()
{
    // Only X11 may run without a compositing manager (Wayland and the
    // offscreen platform always compose).
    if (QGuiApplication::platformName() != u"xcb"_s)
        return true;
    xcb_connection_t *connection = applicationXcbConnection();
    if (connection == nullptr)
        return false;

    // A running compositing manager owns the selection _NET_WM_CM_S<screen>.
    int screen = 0;
    char *host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) != 0)
        std::free(host);
    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(screen);
    const auto atom = fetchXcbReply<xcb_intern_atom_reply_t>(
        connection, xcb_intern_atom(connection, 1, uint16_t(selection.size()), selection.constData()),
        xcb_intern_atom_reply);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const auto owner = fetchXcbReply<xcb_get_selection_owner_reply_t>(
        connection, xcb_get_selection_owner(connection, atom->atom), xcb_get_selection_owner_reply);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace menugeral
